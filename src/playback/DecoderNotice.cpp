#include "playback/DecoderNotice.h"

#include "platform/MessageBox.h"
#include "playback/DecoderPackages.h"

#include <QFileInfo>
#include <QPointer>
#include <QTimer>

void DecoderNotice::tell(const QString &path, const QStringList &installerDetails)
{
    const QString extension = QFileInfo(path).suffix().toLower();
    if (installerDetails.isEmpty() || told_.contains(extension)) {
        return;
    }
    told_.insert(extension);
    waiting_ << DecoderPackages::missingDecoderText(extension, installerDetails);
    if (!showing_) {
        QTimer::singleShot(0, this, &DecoderNotice::showWaiting);
    }
}

void DecoderNotice::showWaiting()
{
    if (showing_) {
        return;
    }
    showing_ = true;
    const QPointer<DecoderNotice> alive(this);
    while (!waiting_.isEmpty()) {
        // No parent: the main window may be unloaded while the box is open.
        platform::showMessage(nullptr, {waiting_.takeFirst(), QStringLiteral("再生エラー"),
                                        platform::MessageIcon::Exclamation, platform::MessageButtons::Ok});
        if (!alive) {
            return;
        }
    }
    showing_ = false;
}
