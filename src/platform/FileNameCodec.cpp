#include "platform/FileNameCodec.h"

#include <QStringDecoder>

namespace platform {
namespace {

constexpr char16_t EscapeBase = 0xDC00;

bool isContinuation(unsigned char c)
{
    return (c & 0xC0) == 0x80;
}

// Length of the valid UTF-8 sequence at i and its code point, or 0 when the
// byte at i does not start one.
int sequenceAt(QByteArrayView bytes, qsizetype i, char32_t &cp)
{
    const auto lead = static_cast<unsigned char>(bytes[i]);
    int length = 0;
    char32_t min = 0;
    if (lead < 0x80) {
        cp = lead;
        return 1;
    }
    if ((lead & 0xE0) == 0xC0) {
        length = 2, min = 0x80, cp = lead & 0x1F;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3, min = 0x800, cp = lead & 0x0F;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4, min = 0x10000, cp = lead & 0x07;
    } else {
        return 0;
    }
    if (i + length > bytes.size()) {
        return 0;
    }
    for (int k = 1; k < length; ++k) {
        const auto c = static_cast<unsigned char>(bytes[i + k]);
        if (!isContinuation(c)) {
            return 0;
        }
        cp = (cp << 6) | (c & 0x3F);
    }
    const bool surrogate = cp >= 0xD800 && cp <= 0xDFFF;
    return cp < min || cp > 0x10FFFF || surrogate ? 0 : length;
}

bool isEscape(char16_t c)
{
    return c >= EscapeBase + 0x80 && c <= EscapeBase + 0xFF;
}

} // namespace

QString decodeFileName(QByteArrayView bytes)
{
    // Nearly every name is valid UTF-8: the library decoder takes it at once. A name may
    // begin with U+FEFF, which is part of it, not a byte order mark to drop.
    QStringDecoder utf8(QStringDecoder::Utf8,
                        QStringDecoder::Flag::Stateless | QStringDecoder::Flag::ConvertInitialBom);
    QString valid = utf8.decode(bytes);
    if (!utf8.hasError()) {
        return valid;
    }
    QString name;
    name.reserve(bytes.size());
    for (qsizetype i = 0; i < bytes.size();) {
        char32_t cp = 0;
        const int length = sequenceAt(bytes, i, cp);
        if (length == 0) {
            name.append(QChar(char16_t(EscapeBase + static_cast<unsigned char>(bytes[i]))));
            ++i;
            continue;
        }
        const auto units = QChar::fromUcs4(cp);
        name.append(QStringView(units.chars, units.size()));
        i += length;
    }
    return name;
}

QByteArray encodeFileName(const QString &name)
{
    QByteArray bytes;
    bytes.reserve(name.size());
    qsizetype runStart = 0;
    for (qsizetype i = 0; i < name.size(); ++i) {
        const char16_t c = name[i].unicode();
        const bool pairedLow = i > 0 && name[i - 1].isHighSurrogate();
        if (!isEscape(c) || pairedLow) {
            continue;
        }
        bytes += QStringView(name).mid(runStart, i - runStart).toUtf8();
        bytes += static_cast<char>(c - EscapeBase);
        runStart = i + 1;
    }
    bytes += QStringView(name).mid(runStart).toUtf8();
    return bytes;
}

QString visibleFileName(const QString &name)
{
    QString shown = name;
    for (qsizetype i = 0; i < shown.size(); ++i) {
        const bool paired =
            shown[i].isHighSurrogate() && i + 1 < shown.size() && shown[i + 1].isLowSurrogate();
        if (paired) {
            ++i;
        } else if (shown[i].isSurrogate()) {
            shown[i] = QChar::ReplacementCharacter;
        }
    }
    return shown;
}

} // namespace platform
