#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <optional>

// Whether a file name ends in a suffix, asked of the name's bytes. ASCII bytes
// decode to the same characters whatever comes before them, so an ASCII tail
// settles it; a tail with other bytes may fold to ASCII as text ("ſ" is an "s"
// without regard to case) and is left to the text.
enum class SuffixAnswer { No, Yes, Undecided };

// `suffix` is ASCII, lower case.
SuffixAnswer asciiSuffixOf(QByteArrayView name, QByteArrayView suffix);

// The text in ASCII lower case; nothing when it holds anything but ASCII.
std::optional<QByteArray> asciiLowerCase(const QString &text);
