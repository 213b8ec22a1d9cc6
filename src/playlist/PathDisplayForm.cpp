#include "playlist/PathDisplayForm.h"

namespace {

// An item directly in the root folder, or in a root folder with a one-letter
// name, is short enough already.
constexpr qsizetype LastShortSeparator = 1;

} // namespace

QString FileNameShortCut(const QString &s, PathConvention convention)
{
    const QChar sep = convention.separator;
    const QString head = s.left(convention.rootLength);
    const QStringView rest = QStringView(s).mid(std::min(convention.rootLength, s.size()));
    const qsizetype nameSep = rest.lastIndexOf(sep);
    const QStringView name = rest.mid(nameSep + 1);
    if (name.isEmpty() || nameSep <= LastShortSeparator) {
        return s;
    }
    const QStringView above = rest.left(nameSep);
    const QStringView parent = above.mid(above.lastIndexOf(sep) + 1);
    QString shortForm = head + QStringLiteral("...") + sep;
    shortForm.append(parent).append(sep).append(name);
    // Only list views show the short form, and they draw "&" as it is: it is
    // not doubled as it would be for a control that takes it as a mnemonic.
    return shortForm.size() < s.size() ? shortForm : s;
}

QString FileNameShortCut(const QString &s)
{
    return FileNameShortCut(s, LinuxPaths);
}

QString FolderDisplayForm(const QString &folder, PathConvention convention)
{
    if (folder.size() <= convention.rootLength || !folder.endsWith(convention.separator)) {
        return folder;
    }
    return FileNameShortCut(folder.chopped(1), convention);
}

QString FolderDisplayForm(const QString &folder)
{
    return FolderDisplayForm(folder, LinuxPaths);
}
