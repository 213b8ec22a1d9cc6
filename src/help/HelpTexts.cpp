#include "help/HelpTexts.h"

#include <QStringList>

namespace {

QString joined(const QStringList &lines)
{
    return lines.join(QStringLiteral("\r\n"));
}

QString folderHelp()
{
    return joined({
        QStringLiteral("フォルダリスト セットアップ"),
        QString(),
        QStringLiteral("再生するファイルのフォルダを選択して、[フォルダ登録]をクリックしてください。"),
        QStringLiteral("\"再生フォルダ\"に登録することができます。"),
        QString(),
        QStringLiteral("\"再生フォルダ\"は、再生に利用するフォルダのリストです。"),
        QStringLiteral("一時的に、再生を中止する場合は、\"待機フォルダ\"へ移動させてください。"),
        QStringLiteral("移動させるフォルダを\"再生フォルダ\"から選択して、[↓]"
                       "または、キーボードの\"Cキー\"で、移動できます。"),
        QStringLiteral("[↑]"
                       "または、キーボードの\"Cキー\"では、\"待機フォルダ\"から\"再生フォルダ\"へ移動すること"
                       "ができます。"),
        QStringLiteral("[×]または、\"Delキー\"では、リストから取り消すことができます。"),
        QString(),
        QStringLiteral("[i]では、プロパティーを表示します。"),
        QStringLiteral(
            "再生できるファイルのあるフォルダを検索する場合は、[フォルダ検索]をクリックしてください。"),
    });
}

QString playListHelp()
{
    return joined({
        QStringLiteral("プレイリスト"),
        QString(),
        QStringLiteral("[全ての更新]をクリックすると、\"再生ファイル\"のリストを再生成します。"),
        QStringLiteral("[リスト内で更新]をクリックすると、\"再生ファイル\"のリストをリスト内で更新します。"),
        QStringLiteral("[再生の一時中止]をクリックすると、選択されたファイルの再生を一時中止します。"
                       "\"再生ファイル\"のリストが全て更新された場合には、一時中止が解除されます。"),
        QStringLiteral(
            "[上に移動]または、[下に移動]をクリックすると、選択されたファイルを該当の方向に移動します。"),
    });
}

QString folderSearchHelp()
{
    return joined({
        QStringLiteral("フォルダ検索"),
        QString(),
        QStringLiteral("検索するドライブを選択して、[フォルダ検索]をクリックしてください。"
                       "選択のドライブ内で、再生できるファイルのあるフォルダを検索します。"),
        QStringLiteral(
            "\"利用可能フォルダ\"から利用したくないフォルダを選択して、[利用キャンセル]をクリックすると、"
            "リストから取り消すことができます。"),
    });
}

} // namespace

std::optional<QString> helpText(const QString &context)
{
    if (context == u"Folder") {
        return folderHelp();
    }
    if (context == u"PlayList") {
        return playListHelp();
    }
    if (context == u"FolderSearch") {
        return folderSearchHelp();
    }
    return std::nullopt;
}
