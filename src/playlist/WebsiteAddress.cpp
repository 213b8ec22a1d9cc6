#include "playlist/WebsiteAddress.h"

QString websiteAddress(const QString &path)
{
    QString base = QStringLiteral(LYRA_WEBSITE_URL);
    while (base.endsWith(u'/')) {
        base.chop(1);
    }
    return base + path;
}
