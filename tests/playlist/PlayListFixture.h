#pragma once

#include "app/FormRegistry.h"
#include "app/RegistryModule.h"
#include "app/SystemDataBox.h"
#include "playlist/PlayListForm.h"
#include "support/TestEnvironment.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QTemporaryDir>

// A play list window over folders of empty files made for the test.
class PlayListFixture : public CleanStateTest {
protected:
    void SetUp() override
    {
        CleanStateTest::SetUp();
        sys().LoginUserName = QStringLiteral("tester");
    }

    // A folder path ending in "/" holding the given (empty) files.
    QString folderWith(const QString &name, const QStringList &files)
    {
        const QString folder = music.filePath(name) + u'/';
        QDir().mkpath(folder);
        for (const QString &file : files) {
            QFile f(folder + file);
            f.open(QIODevice::WriteOnly);
        }
        return folder;
    }

    static void setSetting(const QString &name, const QString &value)
    {
        RegistryModule::SetRegString(RegistryModule::HKEY_CURRENT_USER, RegistryModule::SettingsKey, name,
                                     value);
    }

    static void putListFile(const QString &extension, const QByteArray &bytes)
    {
        const QString path = PlayListForm::listFilePath(extension);
        QDir().mkpath(QFileInfo(path).absolutePath());
        QFile f(path);
        f.open(QIODevice::WriteOnly);
        f.write(bytes);
    }

    static QByteArray listFileBytes(const QString &extension)
    {
        QFile f(PlayListForm::listFilePath(extension));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
    }

    PlayListForm &load() { return FormRegistry::instance().load<PlayListForm>(); }

    static QStringList sorted(QStringList list)
    {
        list.sort();
        return list;
    }

    QTemporaryDir music;
};
