#pragma once

#include <QString>

namespace platform {
class Transfer;
}

// Where the update server is and how long to wait for it. Both are values of
// the install key; a missing or unusable value means the built-in default.
namespace UpdateServer {

inline const QString ServerValue = QStringLiteral("UpdateServer");
inline const QString TimeoutValue = QStringLiteral("UpdateTimeout");
inline const QString DefaultBaseUrl = QStringLiteral("https://update.miravelt.example");
inline constexpr int DefaultTimeoutSeconds = 30;

// The base URL without a trailing "/".
QString baseUrl();
QString statusUrl();
QString versionUrl();
QString downloadUrl();

// Gives a transfer the configured time-out.
void configure(platform::Transfer &transfer);

} // namespace UpdateServer
