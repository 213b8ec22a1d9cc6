#pragma once

#include <QListWidget>
#include <QString>
#include <QStringList>

// The browser's directory list: the current folder's chain from the root, then
// its subfolders, each indented by its depth. Rows show bare names, so typing
// jumps to a name; Enter opens the highlighted folder as a double click does
// (both raise itemActivated).
class DirectoryList : public QListWidget {
    Q_OBJECT
public:
    explicit DirectoryList(QWidget *parent);

    // Shows folder (a full path without final "/", except the root) with its subfolders.
    void showFolder(const QString &folder, const QStringList &subfolderNames);
    // The full path of the highlighted row; the current folder when none is highlighted.
    QString highlighted() const;
    const QString &current() const { return current_; }

private:
    QString current_;
};
