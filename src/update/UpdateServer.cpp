#include "update/UpdateServer.h"

#include "core/ProgramVersion.h"
#include "core/RegistryModule.h"
#include "platform/Transfer.h"

using namespace RegistryModule;

namespace UpdateServer {
namespace {

QString query(const char *script)
{
    if (baseUrl().isEmpty()) {
        return {};
    }
    return baseUrl() + QStringLiteral("/software/product/update/") + QLatin1String(script) +
           QStringLiteral(".cgi?product=LYRA30");
}

} // namespace

QString baseUrl()
{
    QString base = GetRegString(HKEY_LOCAL_MACHINE, InstallKey, ServerValue).trimmed();
    if (base.isEmpty()) {
        base = QStringLiteral(LYRA_UPDATE_URL);
    }
    while (base.endsWith(u'/')) {
        base.chop(1);
    }
    return base;
}

QString statusUrl()
{
    return query("status");
}

QString versionUrl()
{
    const QString url = query("version");
    return url.isEmpty() ? url : url + QStringLiteral("&revision=") + ProgramVersion::revisionText();
}

QString downloadUrl()
{
    const QString url = query("download");
    return url.isEmpty() ? url : url + QStringLiteral("&revision=") + ProgramVersion::revisionText();
}

QString signatureUrl()
{
    const QString url = query("signature");
    return url.isEmpty() ? url : url + QStringLiteral("&revision=") + ProgramVersion::revisionText();
}

QString publisherKey()
{
    return QStringLiteral(LYRA_UPDATE_PUBKEY);
}

void configure(platform::Transfer &transfer)
{
    bool ok = false;
    const int seconds = GetRegString(HKEY_LOCAL_MACHINE, InstallKey, TimeoutValue).toInt(&ok);
    transfer.setTimeout(1000 * (ok && seconds > 0 && seconds <= 600 ? seconds : DefaultTimeoutSeconds));
}

} // namespace UpdateServer
