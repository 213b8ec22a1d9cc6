#include "core/FormRegistry.h"
#include "core/RegistryModule.h"
#include "core/SystemDataBox.h"
#include "mainwindow/MainForm.h"
#include "playback/MediaCommands.h"
#include "playlist/PlayListForm.h"

namespace {

void putResumeTrack(const QString &text)
{
    using namespace RegistryModule;
    SetRegString(HKEY_CURRENT_USER, SettingsKey, ResumeTrack, text);
}

} // namespace

void MainForm::readResumePoint()
{
    using namespace RegistryModule;
    resumePoint_ = ResumePoint::fromText(GetRegString(HKEY_CURRENT_USER, SettingsKey, ResumeTrack));
}

// At the end of the program: the open track goes back to the head of the backup
// list, and where it stopped is kept unless that is too near either end.
void MainForm::keepInterruptedTrack()
{
    PlayListForm *list = FormRegistry::instance().find<PlayListForm>();
    if (!trackOpen() || !sys().ListBackupOn || list == nullptr) {
        return;
    }
    list->PlayList->insert(0, sys().MusicFileName);
    MediaCommands::status(QStringLiteral("position"));
    const auto position = sys().MciResult == 0 ? MediaCommands::replyNumber(sys().MciReply) : std::nullopt;
    const auto length = MediaCommands::replyNumber(sys().MusicLength);
    const auto kept =
        position && length ? ResumePoint::worthKeeping(qint64(*position), qint64(*length)) : std::nullopt;
    putResumeTrack(kept ? ResumePoint::toText({sys().MusicFileName, *kept}) : QString());
}

// The first time this run plays the track kept at the last exit, it starts there.
void MainForm::resumeIfInterrupted(const QString &path)
{
    if (!resumePoint_ || !sys().ListBackupOn || resumePoint_->path != path) {
        return;
    }
    MediaCommands::send(QStringLiteral("seek MusicMedia to ") + QString::number(resumePoint_->ms));
    resumePoint_.reset();
    putResumeTrack(QString());
}
