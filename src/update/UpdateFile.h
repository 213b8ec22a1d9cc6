#pragma once

#include <QByteArray>
#include <QString>

// The downloaded update program, "update.exe" in the per-user data folder.
namespace UpdateFile {

QString path();

// Removes whatever has the name, a symbolic link itself rather than its target.
void removeOld();

// Writes the program under a temporary owner-only name and renames it into
// place complete and executable; a link at the name is replaced, never followed.
bool install(const QByteArray &program);

} // namespace UpdateFile
