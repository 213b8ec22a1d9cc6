#pragma once

#include <QString>

// The address of a page of the maker's web site: the site's base address
// (a build setting) followed by the page's path, which begins with "/".
QString websiteAddress(const QString &path);
