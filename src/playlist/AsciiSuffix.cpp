#include "playlist/AsciiSuffix.h"

#include <QByteArray>

#include <algorithm>
#include <cstring>

namespace {

char lowerCase(char c)
{
    return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c;
}

} // namespace

AsciiTail::AsciiTail(QByteArrayView name, qsizetype longest) : nameSize_(name.size())
{
    const qsizetype reach = std::min(longest, MaxSuffix);
    for (qsizetype i = name.size() - 1; i >= 0 && ascii_ < reach; --i) {
        if (static_cast<unsigned char>(name[i]) >= 0x80) {
            break;
        }
        lower_[size_t(MaxSuffix - 1 - ascii_++)] = lowerCase(name[i]);
    }
}

SuffixAnswer AsciiTail::endsWith(QByteArrayView suffix) const
{
    // A name never has more characters than bytes.
    if (nameSize_ < suffix.size()) {
        return SuffixAnswer::No;
    }
    if (ascii_ < suffix.size()) {
        return SuffixAnswer::Undecided;
    }
    const char *tail = lower_.data() + (MaxSuffix - suffix.size());
    return std::memcmp(tail, suffix.data(), size_t(suffix.size())) == 0 ? SuffixAnswer::Yes
                                                                        : SuffixAnswer::No;
}

std::optional<QByteArray> asciiLowerCase(const QString &text)
{
    QByteArray ascii(text.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (c >= 0x80) {
            return std::nullopt;
        }
        ascii[i] = lowerCase(char(c));
    }
    return ascii;
}
