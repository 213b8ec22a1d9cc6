#pragma once

#include <QString>
#include <optional>

// The quick help text of a window's help context ("Folder", "PlayList",
// "FolderSearch"); other contexts have none.
std::optional<QString> helpText(const QString &context);
