#include "help/VersionForm.h"

#include "core/DialogLayout.h"
#include "core/FormRegistry.h"
#include "core/ProgramVersion.h"
#include "mainwindow/SkinPicture.h"
#include "platform/Shell.h"
#include "playlist/WebsiteAddress.h"

#include <QLabel>
#include <QPainter>
#include <QPushButton>

using DialogLayout::GuideLine;
using DialogLayout::twipRect;

namespace {

constexpr int WidthTwips = 5700;
constexpr int HeightTwips = 4320;
constexpr GuideLine Line1{240, 2580, 5460, 2580};
constexpr GuideLine Line2{240, 3600, 5460, 3600};

QLabel *picture(QWidget *parent, const char *name, const QPixmap &pixmap, const QRect &rect)
{
    QLabel *label = DialogLayout::label(parent, name, QString(), rect);
    label->setPixmap(pixmap);
    return label;
}

} // namespace

VersionForm::VersionForm()
{
    setObjectName(QStringLiteral("VersionForm"));
    setWindowTitle(QStringLiteral("MIRAVELT Lyrabox 3 のバージョン情報"));
    setFixedSize(DialogLayout::px(WidthTwips), DialogLayout::px(HeightTwips));
    createControls();
    connect(SiteAccess, &QPushButton::clicked, this, &VersionForm::SiteAccess_Click);
    connect(UnloadVersion, &QPushButton::clicked, this, &VersionForm::UnloadVersion_Click);
}

void VersionForm::createControls()
{
    using DialogLayout::button;
    using DialogLayout::label;
    Picture1 = picture(this, "Picture1", skinPicture(QStringLiteral("about-banner")),
                       twipRect(0, 0, WidthTwips, 1080));
    Image2 =
        picture(this, "Image2", skinPicture(QStringLiteral("lyrabox3-64")), twipRect(360, 1320, 960, 960));
    Label1 = label(this, "Label1", QStringLiteral("MIRAVELT Lyrabox 3"), twipRect(1560, 1380, 3900, 450));
    QFont title = Label1->font();
    title.setBold(true);
    title.setPointSizeF(title.pointSizeF() * 1.4);
    Label1->setFont(title);
    Label4 = label(this, "Label4", QStringLiteral("バージョン :"), twipRect(1560, 1920, 1080, 300));
    VersionLabel = label(this, "VersionLabel", QString(), twipRect(2700, 1920, 1800, 300));
    MakerNotice = label(this, "MakerNotice",
                        QStringLiteral("Copyright © 2026 MIRAVELT\n"
                                       "ご意見・ご質問は [お問い合わせ] から当社サイトへ。"),
                        twipRect(360, 2760, 5100, 660));
    MakerNotice->setWordWrap(true);
    SiteAccess = button(this, "SiteAccess", QStringLiteral("お問い合わせ"), twipRect(360, 3780, 1500, 390));
    UnloadVersion = button(this, "UnloadVersion", QStringLiteral("OK"), twipRect(4200, 3780, 1260, 390));
    UnloadVersion->setDefault(true);
}

void VersionForm::Form_Load()
{
    VersionLabel->setText(ProgramVersion::text());
    show();
}

void VersionForm::paintEvent(QPaintEvent *event)
{
    Form::paintEvent(event);
    QPainter painter(this);
    DialogLayout::drawEtched(painter, *this, Line1);
    DialogLayout::drawEtched(painter, *this, Line2);
}

void VersionForm::SiteAccess_Click()
{
    platform::shellOpen(websiteAddress(QStringLiteral("/")));
}

void VersionForm::UnloadVersion_Click()
{
    FormRegistry::instance().unload(this);
}
