#pragma once

#include "core/FormRegistry.h"
#include "core/SystemDataBox.h"
#include "mainwindow/MainForm.h"
#include "platform/MediaChannel.h"
#include "playlist/PlayListForm.h"
#include "support/MessageRecorder.h"
#include "support/ScriptedMediaDevice.h"
#include "support/TestEnvironment.h"
#include "support/TestFiles.h"

#include <QLabel>
#include <QTemporaryDir>

// The play list window and the main window over a scripted media device, with
// a folder of real (silent, never decoded) files.
class PlayerFixture : public CleanStateTest {
protected:
    void SetUp() override
    {
        CleanStateTest::SetUp();
        messages.install();
        device = new ScriptedMediaDevice;
        platform::setMediaDevice(std::unique_ptr<platform::MediaDevice>(device));
    }

    void TearDown() override
    {
        CleanStateTest::TearDown();
        platform::setMediaDevice(nullptr);
    }

    QString makeFile(const QString &name)
    {
        writeFile(folder.path() + u'/' + name, "x");
        return folder.path() + u'/' + name;
    }

    // A file gone from a folder that is still there.
    QString missing(const QString &name) const { return folder.path() + QStringLiteral("/gone-") + name; }

    // Loads both windows with this play list in place of the renewed one.
    void loadPlayer(const QStringList &queue)
    {
        FormRegistry &forms = FormRegistry::instance();
        list = &forms.load<PlayListForm>();
        list->PlayList->setStore(PathStore::fromStringList(queue));
        sys().TotalFiles = queue.size();
        main = &forms.load<MainForm>();
    }

    QString status() const { return main->StatusLabel->text(); }
    QColor statusColour() const { return main->StatusLabel->palette().color(QPalette::WindowText); }
    QString counter() const { return main->FileStatusLabel->text(); }
    int opens() const { return int(device->commandsStartingWith(QStringLiteral("open")).size()); }
    // What the main window shows: status, counter, time, length and file name.
    QString shown() const
    {
        return QStringList{status(), counter(), main->NowTimeLabel->text(), main->AllTimeLabel->text(),
                           main->FileNameLabel->text()}
            .join(QStringLiteral(" | "));
    }

    QTemporaryDir folder;
    ScriptedMediaDevice *device = nullptr;
    PlayListForm *list = nullptr;
    MainForm *main = nullptr;
    MessageRecorder messages;
};
