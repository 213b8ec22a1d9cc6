#include "core/FormRegistry.h"
#include "core/SystemDataBox.h"
#include "mainwindow/MainForm.h"
#include "platform/MediaChannel.h"
#include "playback/DecoderNotice.h"
#include "playlist/PlayListForm.h"

void MainForm::holdTrackForNextClick()
{
    if (PlayListForm *list = FormRegistry::instance().find<PlayListForm>()) {
        list->PlayList->insert(0, sys().MusicFileName);
    }
    stopTrack();
}

void MainForm::tellMissingDecoder(const QString &path)
{
    if (decoderNotice_ == nullptr) {
        decoderNotice_ = new DecoderNotice(this);
    }
    decoderNotice_->tell(path, platform::mediaDevice().missingPlugins());
}
