#include "folders/FolderListModel.h"

#include "platform/FileNameCodec.h"
#include "playlist/PathDisplayForm.h"

FolderListModel::FolderListModel(QStringList *paths, QObject *parent)
    : QAbstractListModel(parent), paths_(paths != nullptr ? paths : &own_)
{
}

int FolderListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(paths_->size());
}

QVariant FolderListModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= paths_->size()) {
        return {};
    }
    const QString &path = paths_->at(index.row());
    if (role == Qt::DisplayRole) {
        return displayForm(path);
    }
    if (role == Qt::ToolTipRole) {
        return platform::visibleFileName(path);
    }
    return {};
}

void FolderListModel::detach()
{
    beginResetModel();
    own_.clear();
    paths_ = &own_;
    endResetModel();
}

QString FolderListModel::at(qsizetype i) const
{
    return i >= 0 && i < paths_->size() ? paths_->at(i) : QString();
}

void FolderListModel::append(const QString &path)
{
    const int row = static_cast<int>(paths_->size());
    beginInsertRows({}, row, row);
    paths_->append(path);
    endInsertRows();
}

void FolderListModel::removeAt(qsizetype i)
{
    if (i < 0 || i >= paths_->size()) {
        return;
    }
    beginRemoveRows({}, static_cast<int>(i), static_cast<int>(i));
    paths_->removeAt(i);
    endRemoveRows();
}

QString FolderListModel::displayForm(const QString &folder)
{
    return FolderDisplayForm(platform::visibleFileName(folder));
}
