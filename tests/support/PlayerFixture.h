#pragma once

#include "core/FormRegistry.h"
#include "core/RegistryModule.h"
#include "core/SystemDataBox.h"
#include "mainwindow/MainForm.h"
#include "playback/PlayState.h"
#include "playlist/PlayListForm.h"
#include "support/MessageRecorder.h"
#include "support/ScriptedMediaDevice.h"
#include "support/TestFiles.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

// The play list window and the main window over a folder of files made for the test (never
// decoded: a scripted media device answers), message boxes recorded.
class PlayerFixture : public CleanStateTest {
protected:
    void SetUp() override
    {
        CleanStateTest::SetUp();
        sys().LoginUserName = QStringLiteral("tester");
        messages.install();
        device = new ScriptedMediaDevice;
        platform::setMediaDevice(std::unique_ptr<platform::MediaDevice>(device));
    }

    // A folder path ending in "/" holding the given (empty) files.
    QString folderWith(const QString &name, const QStringList &files = {})
    {
        const QString folder = music.filePath(name) + u'/';
        QDir().mkpath(folder);
        for (const QString &file : files) {
            QFile(folder + file).open(QIODevice::WriteOnly);
        }
        return folder;
    }
    QString makeFile(const QString &name)
    {
        writeFile(music.filePath(name), "x");
        return music.filePath(name);
    }
    // A file gone from a folder that is still there.
    QString missing(const QString &name) const { return music.filePath(QStringLiteral("gone-") + name); }

    // Loads both windows with this play list in place of the renewed one.
    void loadPlayer(const QStringList &queue)
    {
        list = &load();
        list->PlayList->setStore(PathStore::fromStringList(queue));
        sys().TotalFiles = queue.size();
        main = &FormRegistry::instance().load<MainForm>();
    }
    // Loads both windows, the play list dealt from this folder.
    void loadPlayerOver(const QString &folder)
    {
        list = &load();
        list->FolderList = QStringList{folder + u'/'};
        list->PlayListRenewal();
        main = &FormRegistry::instance().load<MainForm>();
    }
    static PlayListForm &load() { return FormRegistry::instance().load<PlayListForm>(); }

    static void putListFile(const char *extension, const QByteArray &bytes)
    {
        ASSERT_TRUE(writeFile(PlayListForm::listFilePath(extension), bytes));
    }

    static void click(QListView *view, int row)
    {
        const QRect rect = view->visualRect(view->model()->index(row, 0));
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, rect.center());
    }

    QString status() const { return main->StatusLabel->text(); }
    QString counter() const { return main->FileStatusLabel->text(); }
    static bool playing() { return PlayState::instance().state() == PlayState::State::Playing; }
    int opens() const { return int(device->commands.filter(QRegularExpression("^open ")).size()); }
    // What the main window shows: status, counter, time, length and file name.
    QString shown() const
    {
        return QStringList{status(), counter(), main->NowTimeLabel->text(), main->AllTimeLabel->text(),
                           main->FileNameLabel->text()}
            .join(QStringLiteral(" | "));
    }

    QTemporaryDir music;
    ScriptedMediaDevice *device = nullptr;
    PlayListForm *list = nullptr;
    MainForm *main = nullptr;
    MessageRecorder messages;
};

// Both windows loaded, over an empty play list, before the test begins.
class PlayerWindowsFixture : public PlayerFixture {
protected:
    void SetUp() override
    {
        PlayerFixture::SetUp();
        loadPlayer({});
    }
};

// The play list window alone, where a message box fails the test.
class PlayListFixture : public PlayerFixture {
protected:
    void SetUp() override
    {
        PlayerFixture::SetUp();
        TestEnvironment::refuseMessageBoxes();
    }
};
