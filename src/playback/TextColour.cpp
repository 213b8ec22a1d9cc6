#include "playback/TextColour.h"

#include <array>
#include <optional>

namespace {

constexpr std::array<std::array<int, 3>, 10> table{{
    {255, 192, 128}, // 標準
    {255, 0, 0},     // レッド
    {255, 128, 0},   // オレンジ
    {255, 255, 0},   // イエロー
    {0, 255, 0},     // グリーン
    {0, 255, 255},   // スカイブルー
    {0, 0, 255},     // ブルー
    {255, 0, 255},   // ピンク
    {128, 0, 255},   // パープル
    {255, 255, 255}, // ホワイト
}};

QColor fromTable(int index)
{
    return QColor(table[index][0], table[index][1], table[index][2]);
}

bool isTableIndex(const QString &dColor)
{
    return dColor.size() == 1 && dColor[0] >= u'0' && dColor[0] <= u'9';
}

std::optional<QColor> colourValue(const QString &dColor)
{
    bool isNumber = false;
    const qlonglong value = dColor.trimmed().toLongLong(&isNumber);
    if (!isNumber || value < 0 || value > 0xFFFFFF) {
        return std::nullopt;
    }
    return QColor(static_cast<int>(value & 0xFF), static_cast<int>((value >> 8) & 0xFF),
                  static_cast<int>((value >> 16) & 0xFF));
}

} // namespace

QColor textColourOf(const QString &dColor)
{
    if (isTableIndex(dColor)) {
        return fromTable(dColor[0].unicode() - u'0');
    }
    return colourValue(dColor).value_or(fromTable(0));
}

bool isColourValue(const QString &dColor)
{
    return !isTableIndex(dColor) && colourValue(dColor).has_value();
}
