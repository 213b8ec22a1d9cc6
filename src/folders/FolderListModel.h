#pragma once

#include <QAbstractListModel>
#include <QStringList>

// A hidden list of folder paths shown as its visible twin: row i displays the
// folder display form of entry i. The list itself lives elsewhere (the play
// list window's FolderList and FolderWaitList); every change goes through here
// so that the views follow at once.
class FolderListModel : public QAbstractListModel {
    Q_OBJECT
public:
    explicit FolderListModel(QStringList *paths, QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;

    // The list went away (its window was unloaded): show an empty one of our own.
    void detach();

    const QStringList &paths() const { return *paths_; }
    qsizetype count() const { return paths_->size(); }
    // Entry i, or the empty text when there is none.
    QString at(qsizetype i) const;
    bool contains(const QString &path) const { return paths_->contains(path); }
    qsizetype indexOf(const QString &path) const { return paths_->indexOf(path); }
    void append(const QString &path);
    void removeAt(qsizetype i);

    // How a folder is shown: the root as it is, others without their final "/"
    // as the short display form; bytes that are not UTF-8 as the replacement mark.
    static QString displayForm(const QString &folder);

private:
    QStringList *paths_;
    QStringList own_;
};
