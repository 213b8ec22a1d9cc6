#include "folders/FolderPropertiesDialog.h"

#include "folders/FolderContents.h"
#include "platform/FileNameCodec.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLocale>

namespace {

QLabel *value(QWidget *parent, const char *name, const QString &text)
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return label;
}

} // namespace

void showFolderProperties(QWidget *owner, const QString &folder)
{
    const FolderContents::Summary summary = FolderContents::summarize(folder);
    auto *dialog = new QDialog(owner);
    dialog->setObjectName(QStringLiteral("FolderProperties"));
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setWindowTitle(QStringLiteral("フォルダのプロパティ"));
    auto *form = new QFormLayout(dialog);
    form->addRow(QStringLiteral("フォルダ :"),
                 value(dialog, "FolderPath", platform::visibleFileName(folder)));
    form->addRow(QStringLiteral("再生ファイル数 :"),
                 value(dialog, "PlayFileCount", QString::number(summary.files)));
    const QLocale locale;
    form->addRow(QStringLiteral("合計サイズ :"),
                 value(dialog, "PlayFileSize",
                       QStringLiteral("%1 (%2 バイト)")
                           .arg(locale.formattedDataSize(summary.bytes), locale.toString(summary.bytes))));
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok, dialog);
    QObject::connect(buttons, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
    form->addRow(buttons);
    dialog->show();
}
