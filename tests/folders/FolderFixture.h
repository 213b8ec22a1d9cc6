#pragma once

#include "app/FormRegistry.h"
#include "app/SystemDataBox.h"
#include "folders/DirectoryList.h"
#include "folders/FolderForm.h"
#include "platform/Volumes.h"
#include "playlist/PathListModel.h"
#include "playlist/PlayListForm.h"
#include "support/MessageRecorder.h"
#include "support/TestEnvironment.h"
#include "support/TestFiles.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <unistd.h>

// The play list window and the set-up window over a tree of empty files.
class FolderFixture : public CleanStateTest {
protected:
    void SetUp() override
    {
        CleanStateTest::SetUp();
        sys().LoginUserName = QStringLiteral("tester");
        list = &FormRegistry::instance().load<PlayListForm>();
        messages.install();
    }
    void TearDown() override
    {
        platform::setVolumeSource({});
        CleanStateTest::TearDown();
    }

    static FolderForm &setup() { return FormRegistry::instance().load<FolderForm>(); }

    // A folder path ending in "/" holding the given empty files.
    QString folderWith(const QString &name, const QStringList &files = {})
    {
        return ::folderWith(tree.path(), name, files);
    }

    static void click(QListView *view, int row)
    {
        const QRect rect = view->visualRect(view->model()->index(row, 0));
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, rect.center());
    }
    static QStringList shown(const QListView *view)
    {
        QStringList rows;
        for (int r = 0; r < view->model()->rowCount(); ++r) {
            rows << view->model()->index(r, 0).data().toString();
        }
        return rows;
    }
    static QStringList sorted(QStringList l)
    {
        l.sort();
        return l;
    }

    PlayListForm *list = nullptr;
    MessageRecorder messages;
    QTemporaryDir tree;
};
