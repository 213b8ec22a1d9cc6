#pragma once

#include "folders/DirectoryList.h"
#include "folders/FolderForm.h"
#include "platform/Volumes.h"
#include "support/PlayerFixture.h"

#include <QListWidget>

#include <unistd.h>

// The centre of the row that stands for `path` in a folder list, or (-1, -1).
inline QPoint rowAt(const QListWidget *dirs, const QString &path)
{
    for (int row = 0; row < dirs->count(); ++row) {
        if (dirs->item(row)->data(Qt::UserRole).toString() == path) {
            return dirs->visualItemRect(dirs->item(row)).center();
        }
    }
    return {-1, -1};
}

// The play list window and the set-up window over a tree of empty files.
class FolderFixture : public PlayerFixture {
protected:
    void SetUp() override
    {
        PlayerFixture::SetUp();
        list = &load();
    }

    static FolderForm &setup() { return FormRegistry::instance().load<FolderForm>(); }

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
};
