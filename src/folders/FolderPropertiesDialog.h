#pragma once

#include <QString>

class QWidget;

// Our own property sheet of a folder, for desktops without a file manager that
// answers: its path, its number of playable files and their total size.
void showFolderProperties(QWidget *owner, const QString &folder);
