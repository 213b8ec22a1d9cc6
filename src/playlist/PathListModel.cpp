#include "playlist/PathListModel.h"

#include "platform/FileNameCodec.h"

PathListModel::PathListModel(DisplayForm displayForm, QObject *parent)
    : QAbstractListModel(parent), displayForm_(displayForm)
{
}

int PathListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(paths_.size());
}

QVariant PathListModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= paths_.size()) {
        return {};
    }
    // Rows that share a short form tell themselves apart by the full path in the tip.
    if (role == Qt::DisplayRole || role == Qt::ToolTipRole) {
        const QString shown = platform::visibleFileName(paths_.at(index.row()));
        return role == Qt::DisplayRole ? displayForm_(shown) : shown;
    }
    return {};
}

QString PathListModel::at(qsizetype i) const
{
    return i >= 0 && i < paths_.size() ? paths_.at(i) : QString();
}

void PathListModel::append(const QString &path)
{
    insert(paths_.size(), path);
}

void PathListModel::insert(qsizetype i, const QString &path)
{
    if (i < 0 || i > paths_.size()) {
        return;
    }
    beginInsertRows({}, static_cast<int>(i), static_cast<int>(i));
    paths_.insert(i, path);
    endInsertRows();
}

void PathListModel::removeAt(qsizetype i)
{
    if (i < 0 || i >= paths_.size()) {
        return;
    }
    beginRemoveRows({}, static_cast<int>(i), static_cast<int>(i));
    paths_.removeAt(i);
    endRemoveRows();
}

void PathListModel::swapWithNext(qsizetype i)
{
    if (i < 0 || i + 1 >= paths_.size()) {
        return;
    }
    beginMoveRows({}, static_cast<int>(i + 1), static_cast<int>(i + 1), {}, static_cast<int>(i));
    paths_.swap(i, i + 1);
    endMoveRows();
}

void PathListModel::clear()
{
    setStore({});
}

void PathListModel::setStore(PathStore paths)
{
    beginResetModel();
    paths_ = std::move(paths);
    endResetModel();
}
