#include "update/DownloadTexts.h"

#include <array>

namespace DownloadTexts {

QString forState(int state)
{
    static const std::array<const char16_t *, 12> texts{
        u"アップデートセンターの IP アドレスを調べています。",
        u"アップデートセンターの IP アドレスを見つけました。",
        u"アップデートセンターとの接続処理を行っています。",
        u"アップデートセンターと正常に接続しました。",
        u"アップデートセンターに要求を送信しています。",
        u"アップデートセンターに要求を送信しました。",
        u"アップデートセンターからの応答を受信しています。",
        u"ダウンロード中です。ダウンロードが完了するまで、しばらくお待ちください。",
        u"アップデートセンターとの接続を解除しています。",
        u"アップデートセンターとの接続を正常に解除しました。",
        u"通信中にエラーが発生しました。再度、ダウンロードを開始します。[ダウンロード]"
        u"をクリックしてください。",
        u"ダウンロードが完了しました。アップデートプログラムの起動準備中です。",
    };
    if (state < 1 || state > static_cast<int>(texts.size())) {
        return {};
    }
    return QString::fromUtf16(texts[static_cast<std::size_t>(state - 1)]);
}

QString retry()
{
    return forState(11);
}

QString unreachable()
{
    return QStringLiteral("通信中にエラーが発生しました。インターネットへの接続が適切でないか、又は、"
                          "アップデートセンターが停止している可能性があります。");
}

QString noKey()
{
    return QStringLiteral("このプログラムには発行元の署名を確かめるための鍵がないため、"
                          "アップデートプログラムをダウンロードできません。");
}

QString notSigned()
{
    return QStringLiteral("ダウンロードしたプログラムに発行元の正しい署名がないため、"
                          "保存も起動もしませんでした。");
}

QString kilobytes(qint64 bytes)
{
    return QString::number(bytes / 1024) + QStringLiteral("KB");
}

} // namespace DownloadTexts
