#include "folders/DirectoryList.h"

#include "platform/FileNameCodec.h"

#include <QApplication>
#include <QPainter>
#include <QStyle>
#include <QStyledItemDelegate>

namespace {

constexpr int PathRole = Qt::UserRole;
constexpr int DepthRole = Qt::UserRole + 1;

// Indentation drawn, not typed into the name, so that type-ahead finds names.
class IndentDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        QStyleOptionViewItem indented(option);
        indented.rect.setLeft(option.rect.left() + indent(option, index));
        QStyledItemDelegate::paint(painter, indented, index);
    }
    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        return QStyledItemDelegate::sizeHint(option, index) + QSize(indent(option, index), 0);
    }

private:
    static int indent(const QStyleOptionViewItem &option, const QModelIndex &index)
    {
        return index.data(DepthRole).toInt() * option.fontMetrics.averageCharWidth() * 2;
    }
};

QString parentOf(const QString &path)
{
    const qsizetype slash = path.lastIndexOf(u'/');
    return slash <= 0 ? QStringLiteral("/") : path.left(slash);
}

QString childOf(const QString &folder, const QString &name)
{
    return folder.endsWith(u'/') ? folder + name : folder + u'/' + name;
}

// The root and its parents' chain down to the folder, without final "/".
QStringList chainTo(const QString &folder)
{
    QStringList chain{folder};
    while (chain.first() != QStringLiteral("/")) {
        chain.prepend(parentOf(chain.first()));
    }
    return chain;
}

QListWidgetItem *directoryItem(const QString &path, int depth, bool open)
{
    const QString name = path == QStringLiteral("/") ? path : path.mid(path.lastIndexOf(u'/') + 1);
    auto *item = new QListWidgetItem(platform::visibleFileName(name));
    item->setIcon(QApplication::style()->standardIcon(open ? QStyle::SP_DirOpenIcon : QStyle::SP_DirIcon));
    item->setData(PathRole, path);
    item->setData(DepthRole, depth);
    item->setToolTip(platform::visibleFileName(path));
    return item;
}

} // namespace

DirectoryList::DirectoryList(QWidget *parent) : QListWidget(parent)
{
    setItemDelegate(new IndentDelegate(this));
}

void DirectoryList::showFolder(const QString &folder, const QStringList &subfolderNames)
{
    current_ = folder;
    const QSignalBlocker quiet(this);
    clear();
    const QStringList chain = chainTo(folder);
    for (qsizetype depth = 0; depth < chain.size(); ++depth) {
        addItem(directoryItem(chain[depth], int(depth), true));
    }
    setCurrentRow(int(chain.size() - 1));
    for (const QString &name : subfolderNames) {
        addItem(directoryItem(childOf(folder, name), int(chain.size()), false));
    }
}

QString DirectoryList::highlighted() const
{
    const QList<QListWidgetItem *> selected = selectedItems();
    return selected.isEmpty() ? current_ : selected.first()->data(PathRole).toString();
}
