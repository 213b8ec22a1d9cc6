#include "folders/FolderChecks.h"

#include "platform/FileNameCodec.h"
#include "platform/MessageBox.h"

namespace FolderChecks {
namespace {

QString withoutFinalSlash(const QString &path)
{
    return path.size() > 1 && path.endsWith(u'/') ? path.chopped(1) : path;
}

// Line ends shown as their control pictures, so the message keeps its lines.
QString shownInOneLine(const QString &folder)
{
    QString shown = platform::visibleFileName(folder);
    shown.replace(u'\r', QChar(0x240D));
    shown.replace(u'\n', QChar(0x240A));
    return u'\'' + shown + u'\'';
}

} // namespace

bool hasLineEnd(const QString &folder)
{
    return folder.contains(u'\r') || folder.contains(u'\n');
}

void refuseLineEnds(QWidget *parent, const QStringList &folders)
{
    QStringList names;
    for (const QString &folder : folders) {
        names.append(shownInOneLine(folder));
    }
    platform::showMessage(parent, {names.join(QStringLiteral("\r\n")) +
                                       QStringLiteral(" は、名前に改行が含まれているため登録できません。\r\n"
                                                      "フォルダの名前を変更してから登録してください。"),
                                   QStringLiteral("MIRAVELT Lyrabox 3 - 選択エラー"),
                                   platform::MessageIcon::Critical, platform::MessageButtons::Ok});
}

SameFolder::SameFolder(const QStringList &folders)
    : folders_(folders), ids_(platform::folderIdentities(folders))
{
}

qsizetype SameFolder::indexOf(const QString &path) const
{
    if (const qsizetype exact = folders_.indexOf(path); exact >= 0) {
        return exact;
    }
    return indexOf(path, platform::folderIdentities({path}).constFirst());
}

qsizetype SameFolder::indexOf(const QString &path, const std::optional<platform::FolderIdentity> &id) const
{
    if (const qsizetype exact = folders_.indexOf(path); exact >= 0) {
        return exact;
    }
    const QString text = withoutFinalSlash(path);
    for (qsizetype i = 0; i < folders_.size(); ++i) {
        if ((id && ids_.at(i) == id) || withoutFinalSlash(folders_.at(i)) == text) {
            return i;
        }
    }
    return -1;
}

void SameFolder::append(const QString &path)
{
    append(path, platform::folderIdentities({path}).constFirst());
}

void SameFolder::append(const QString &path, const std::optional<platform::FolderIdentity> &id)
{
    folders_.append(path);
    ids_.append(id);
}

} // namespace FolderChecks
