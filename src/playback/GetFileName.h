#pragma once

#include <QString>

// The file name part of a path: the text after the last separator; empty for
// an empty path or one that ends in a separator; the path itself when it has none.
QString GetFileName(const QString &path, QChar separator = u'/');
