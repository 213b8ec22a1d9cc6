#pragma once

#include "playlist/PathStore.h"

#include <QAbstractListModel>

// A hidden list of full paths and, through this model, its visible twin: row i
// displays the display form of entry i, so the two can never drift apart.
class PathListModel : public QAbstractListModel {
    Q_OBJECT
public:
    using DisplayForm = QString (*)(const QString &path);

    explicit PathListModel(DisplayForm displayForm, QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;

    qsizetype count() const { return paths_.size(); }
    bool isEmpty() const { return paths_.isEmpty(); }
    // Entry i, or the empty text when there is none.
    QString at(qsizetype i) const;
    const PathStore &store() const { return paths_; }

    void append(const QString &path);
    void insert(qsizetype i, const QString &path);
    void removeAt(qsizetype i);
    // Entries i and i + 1 change places.
    void swapWithNext(qsizetype i);
    void clear();
    void setStore(PathStore paths);

private:
    DisplayForm displayForm_;
    PathStore paths_;
};
