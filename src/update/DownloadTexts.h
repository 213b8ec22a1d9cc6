#pragma once

#include <QString>

// What the download window says.
namespace DownloadTexts {

// The information text for a state of the transfer; empty for states that show nothing.
QString forState(int state);
QString retry();
QString unreachable();
// The build has no key to check the publisher's signature with.
QString noKey();
// The signature is missing, damaged, or not the publisher's signature of the program.
QString notSigned();
// Whole kilobytes, rounded down: 1023 bytes are "0KB".
QString kilobytes(qint64 bytes);

} // namespace DownloadTexts
