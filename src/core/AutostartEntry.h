#pragma once

#include <QString>

// The desktop session's autostart entry that stands for the "start with the
// system" registry value: the program path it starts, or empty when disabled.
namespace AutostartEntry {

QString read(const QString &entryPath);
// An empty program disables the entry (Hidden=true) without deleting it.
bool write(const QString &entryPath, const QString &program);

// Quotes a path for the Exec key of a desktop entry.
QString execQuoted(const QString &program);

} // namespace AutostartEntry
