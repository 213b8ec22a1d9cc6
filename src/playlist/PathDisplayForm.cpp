#include "playlist/PathDisplayForm.h"

namespace {

// An item directly in the root folder, or in a root folder with a one-letter
// name, is short enough already.
constexpr qsizetype LastShortSeparator = 1;

QString doubledAmpersands(QString text)
{
    // Backwards, so an inserted "&" is never looked at again.
    for (qsizetype i = text.size() - 1; i >= 0; --i) {
        if (text[i] == u'&') {
            text.insert(i, u'&');
        }
    }
    return text;
}

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
    if (shortForm.size() >= s.size()) {
        shortForm = s;
    }
    return doubledAmpersands(std::move(shortForm));
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
