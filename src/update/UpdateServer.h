#pragma once

#include <QString>

namespace platform {
class Transfer;
}

// Where the update server is and how long to wait for it. Both are values of
// the install key; a missing or unusable value means the build's default.
namespace UpdateServer {

inline const QString ServerValue = QStringLiteral("UpdateServer");
inline const QString TimeoutValue = QStringLiteral("UpdateTimeout");
// The day an automatic check last failed (y/m/d); it waits as long as a successful one.
inline const QString FailedCheckValue = QStringLiteral("LastUPFailed");
inline constexpr int DefaultTimeoutSeconds = 30;
// A minisign signature is a few lines.
inline constexpr qint64 MaxSignatureBytes = 4096;

// The base URL without a trailing "/"; empty when this build has no update server.
QString baseUrl();
// The URLs are empty when there is no server, and such a request fails at once.
QString statusUrl();
QString versionUrl();
QString downloadUrl();
// The publisher's minisign signature of the program that downloadUrl() gives.
QString signatureUrl();

// The publisher's public key, built in; no settings value changes it. Empty when
// this build has none: then no downloaded program may run.
QString publisherKey();

// Gives a transfer the configured time-out.
void configure(platform::Transfer &transfer);

} // namespace UpdateServer
