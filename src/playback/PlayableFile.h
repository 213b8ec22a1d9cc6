#pragma once

#include <QString>

// An ordinary, visible file: hidden files count as missing, as directories do.
bool playableFileExists(const QString &path);
