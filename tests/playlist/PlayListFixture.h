#pragma once

#include "core/FormRegistry.h"
#include "core/RegistryModule.h"
#include "core/SystemDataBox.h"
#include "mainwindow/MainForm.h"
#include "playlist/PlayListForm.h"
#include "support/MessageRecorder.h"
#include "support/TestEnvironment.h"
#include "support/TestFiles.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

// A play list window over folders of empty files made for the test.
class PlayListFixture : public CleanStateTest {
protected:
    void SetUp() override
    {
        CleanStateTest::SetUp();
        sys().LoginUserName = QStringLiteral("tester");
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

    static QString listFile(const char *extension) { return PlayListForm::listFilePath(extension); }

    static void putListFile(const char *extension, const QByteArray &bytes)
    {
        ASSERT_TRUE(writeFile(listFile(extension), bytes));
    }
    static QByteArray listFileBytes(const char *extension)
    {
        return readFile(listFile(extension), "<missing>");
    }

    static void click(QListView *view, int row)
    {
        const QRect rect = view->visualRect(view->model()->index(row, 0));
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, rect.center());
    }
    static PlayListForm &load() { return FormRegistry::instance().load<PlayListForm>(); }
    static void unload() { FormRegistry::instance().unload<PlayListForm>(); }

    QTemporaryDir music;
};

// The play list window and the main window loaded, message boxes recorded.
class PlayerWindowsFixture : public PlayListFixture {
protected:
    void SetUp() override
    {
        PlayListFixture::SetUp();
        messages.install();
        list = &load();
        main = &FormRegistry::instance().load<MainForm>();
    }
    PlayListForm *list = nullptr;
    MainForm *main = nullptr;
    MessageRecorder messages;
};
