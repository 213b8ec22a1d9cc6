#pragma once

#include <QString>

namespace platform {

// Whether a URL's host is this machine itself: "localhost", 127.0.0.0/8, ::1, or an
// IPv4 loopback address written as IPv6.
bool isLoopbackHost(const QString &host);

} // namespace platform
