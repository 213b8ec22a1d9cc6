#include "playlist/FilePattern.h"

#include "playlist/AsciiSuffix.h"

#include "platform/FileNameCodec.h"

#include <algorithm>

namespace {

bool sameChar(QChar a, QChar b)
{
    return a == b || a.toCaseFolded() == b.toCaseFolded();
}

bool isPlainText(QStringView text)
{
    return !text.contains(u'*') && !text.contains(u'?');
}

// Greedy match that backs up to the last "*" seen: linear for the usual cases.
bool wildcardMatch(QStringView wildcard, QStringView name)
{
    qsizetype w = 0;
    qsizetype n = 0;
    qsizetype starW = -1;
    qsizetype starN = 0;
    while (n < name.size()) {
        if (w < wildcard.size() && wildcard[w] == u'*') {
            starW = w++;
            starN = n;
        } else if (w < wildcard.size() && (wildcard[w] == u'?' || sameChar(wildcard[w], name[n]))) {
            ++w;
            ++n;
        } else if (starW >= 0) {
            w = starW + 1;
            n = ++starN;
        } else {
            return false;
        }
    }
    while (w < wildcard.size() && wildcard[w] == u'*') {
        ++w;
    }
    return w == wildcard.size();
}

} // namespace

FilePattern::FilePattern(const QString &pattern)
{
    for (const QString &part : pattern.split(u';', Qt::SkipEmptyParts)) {
        const QString wildcard = part.trimmed();
        if (wildcard.startsWith(u'*') && isPlainText(QStringView(wildcard).mid(1))) {
            suffixes_.append(wildcard.mid(1));
            const std::optional<QByteArray> ascii = asciiLowerCase(suffixes_.last());
            if (ascii && ascii->size() <= AsciiTail::MaxSuffix) {
                asciiSuffixes_.push_back(*ascii);
                longestAscii_ = std::max(longestAscii_, ascii->size());
            } else {
                needsText_ = true;
            }
        } else if (!wildcard.isEmpty()) {
            wildcards_.append(wildcard);
            needsText_ = true;
        }
    }
}

bool FilePattern::matches(QStringView name) const
{
    for (const QString &suffix : suffixes_) {
        if (name.endsWith(suffix, Qt::CaseInsensitive)) {
            return true;
        }
    }
    for (const QString &wildcard : wildcards_) {
        if (wildcardMatch(wildcard, name)) {
            return true;
        }
    }
    return false;
}

bool FilePattern::matchesFileName(QByteArrayView bytes) const
{
    bool undecided = needsText_;
    const AsciiTail tail(bytes, longestAscii_);
    for (const QByteArray &suffix : asciiSuffixes_) {
        const SuffixAnswer answer = tail.endsWith(suffix);
        if (answer == SuffixAnswer::Yes) {
            return true;
        }
        undecided = undecided || answer == SuffixAnswer::Undecided;
    }
    return undecided && matches(platform::decodeFileName(bytes));
}
