#include "core/AutostartEntry.h"

#include "platform/FileReplace.h"

#include <QFile>

namespace AutostartEntry {
namespace {

constexpr qint64 maxEntryBytes = qint64{64} * 1024;
const QByteArray pathKey = "X-Lyrabox3-Program=";

// Desktop entry string values escape these; the path key keeps the plain text.
QString escapeValue(const QString &text)
{
    QString out;
    for (const QChar c : text) {
        if (c == u'\\')
            out += QStringLiteral("\\\\");
        else if (c == u'\n')
            out += QStringLiteral("\\n");
        else if (c == u'\r')
            out += QStringLiteral("\\r");
        else
            out += c;
    }
    return out;
}

QString unescapeValue(const QString &text)
{
    QString out;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == u'\\' && i + 1 < text.size()) {
            const QChar n = text[++i];
            out += n == u'n' ? QChar(u'\n') : n == u'r' ? QChar(u'\r') : n;
        } else {
            out += text[i];
        }
    }
    return out;
}

} // namespace

QString execQuoted(const QString &program)
{
    QString quoted = QStringLiteral("\"");
    for (const QChar c : program) {
        if (c == u'"' || c == u'`' || c == u'$' || c == u'\\') {
            quoted += u'\\';
        }
        quoted += c;
        // A lone "%" would be read as a field code.
        if (c == u'%') {
            quoted += c;
        }
    }
    return quoted + u'"';
}

QString read(const QString &entryPath)
{
    QFile file(entryPath);
    if (!file.open(QIODevice::ReadOnly)) {
        return {};
    }
    QString program;
    bool hidden = false;
    const QList<QByteArray> lines = file.read(maxEntryBytes).split('\n');
    for (QByteArray line : lines) {
        line = line.trimmed();
        if (line == "Hidden=true") {
            hidden = true;
        } else if (line.startsWith(pathKey)) {
            program = unescapeValue(QString::fromUtf8(line.mid(pathKey.size())));
        }
    }
    return hidden ? QString() : program;
}

bool write(const QString &entryPath, const QString &program)
{
    QString text =
        QStringLiteral("[Desktop Entry]\nType=Application\nName=Lyrabox 3\nIcon=com.miravelt.Lyrabox3\n");
    if (program.isEmpty()) {
        text += QStringLiteral("Exec=lyrabox3\nHidden=true\n");
    } else {
        text += QStringLiteral("Exec=") + escapeValue(execQuoted(program)) + u'\n';
        text += QString::fromUtf8(pathKey) + escapeValue(program) + u'\n';
    }
    return platform::replaceFile(entryPath, text.toUtf8());
}

} // namespace AutostartEntry
