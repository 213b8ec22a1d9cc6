#include "platform/LoopbackHost.h"

#include <arpa/inet.h>

#include <cstring>

namespace platform {

bool isLoopbackHost(const QString &host)
{
    if (host.compare(QStringLiteral("localhost"), Qt::CaseInsensitive) == 0) {
        return true;
    }
    const QByteArray text = host.toLatin1();
    unsigned char v4[4];
    if (inet_pton(AF_INET, text.constData(), v4) == 1) {
        return v4[0] == 127;
    }
    unsigned char v6[16];
    if (inet_pton(AF_INET6, text.constData(), v6) != 1) {
        return false;
    }
    static const unsigned char one[16] = {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1};
    static const unsigned char mapped[12] = {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0xff, 0xff};
    return std::memcmp(v6, one, sizeof one) == 0 ||
           (std::memcmp(v6, mapped, sizeof mapped) == 0 && v6[12] == 127);
}

} // namespace platform
