#pragma once

#include <QByteArrayView>
#include <QString>

#include <array>
#include <optional>

// Whether a file name ends in a suffix, asked of the name's bytes. ASCII bytes
// decode to the same characters whatever comes before them, so an ASCII tail
// settles it; a tail with other bytes may fold to ASCII as text ("ſ" is an "s"
// without regard to case) and is left to the text.
enum class SuffixAnswer { No, Yes, Undecided };

// The last bytes of a name in ASCII lower case, as far back as they are ASCII.
class AsciiTail {
public:
    static constexpr qsizetype MaxSuffix = 32;

    // Looks no further back than `longest` bytes.
    AsciiTail(QByteArrayView name, qsizetype longest);
    // `suffix` is ASCII, lower case, at most MaxSuffix long.
    SuffixAnswer endsWith(QByteArrayView suffix) const;

private:
    std::array<char, MaxSuffix> lower_{}; // the tail, its last byte at the end
    qsizetype nameSize_ = 0;
    qsizetype ascii_ = 0; // how many of the name's last bytes are ASCII, at most MaxSuffix
};

// The text in ASCII lower case; nothing when it holds anything but ASCII.
std::optional<QByteArray> asciiLowerCase(const QString &text);
