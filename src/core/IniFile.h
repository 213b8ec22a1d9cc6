#pragma once

#include <QString>
#include <vector>

// A small INI file of groups and text values, with names compared without case
// as registry paths and value names are. Unreadable or hostile content gives
// fewer entries, never a failure.
class IniFile {
public:
    enum class LoadResult { Read, Missing, Unreadable, Incomplete };
    // Unreadable: the file could not be opened or read just now (out of
    // descriptors, an I/O error, no right), which says nothing of its content;
    // `error` is the errno. Incomplete: it is past the size bound. Either way
    // writing it back would lose values.
    LoadResult load(const QString &path, int *error = nullptr);
    bool save(const QString &path, QString *error = nullptr) const;
    // The file's text without the file.
    void parse(const QByteArray &content);
    QByteArray text() const;
    // Some line of the last text read gave nothing or not all it held.
    bool damaged() const { return damaged_; }

    // Empty when absent; found tells the two apart.
    QString value(const QString &group, const QString &name, bool *found = nullptr) const;
    void setValue(const QString &group, const QString &name, const QString &text);

    static QByteArray encode(const QString &text, const char *alsoEscape);
    static QString decode(const QByteArray &bytes);

private:
    struct Entry {
        QString name;
        QString value;
    };
    struct Group {
        QString name;
        std::vector<Entry> entries;
    };

    Group *findGroup(const QString &name);
    const Group *findGroup(const QString &name) const;
    bool parseLine(const QByteArray &line, Group *&current);

    std::vector<Group> groups_;
    bool damaged_ = false;
};
