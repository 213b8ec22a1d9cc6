#include "UpdateFixture.h"
#include "app/FormRegistry.h"
#include "app/ProgramVersion.h"
#include "platform/Transfer.h"
#include "update/DownloadTexts.h"
#include "update/NewVersionForm.h"
#include "update/UpdateFile.h"

#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>

using DownloadTest = UpdateFixture;

TEST_F(DownloadTest, ACompleteDownloadIsWrittenExecutableStartedAndTheProgramEnds)
{
    struct Row {
        int size;
        const char *label;
        bool linkAtName;
    };
    for (const Row row : {Row{1023, "0KB", false}, Row{1024, "1KB", true}, Row{70000, "68KB", false}}) {
        SCOPED_TRACE(row.size);
        launched.clear();
        QByteArray program(row.size, '\0');
        for (int i = 0; i < row.size; ++i) {
            program[i] = static_cast<char>(i * 7);
        }
        NginxServer nginx;
        nginx.publish(ProgramVersion::Revision + 1, QStringLiteral("Ready"), program);
        ASSERT_TRUE(nginx.start());
        useServer(nginx.url());
        const QString victim = nginx.path("victim");
        QFile(victim).open(QIODevice::WriteOnly);
        if (row.linkAtName) {
            QDir().mkpath(TestEnvironment::dataHome() + QStringLiteral("/lyrabox3"));
            ASSERT_TRUE(QFile::link(victim, UpdateFile::path()));
        }
        FormRegistry &forms = FormRegistry::instance();
        QSignalSpy ended(&forms, &FormRegistry::lastFormUnloaded);
        auto &form = forms.load<NewVersionForm>();
        QString label;
        platform::setProgramLauncher([&](const QString &path) {
            launched << path;
            label = form.DLLabel->text();
            return true;
        });
        form.FileDLStart->click();

        EXPECT_EQ(launched, QStringList{UpdateFile::path()});
        EXPECT_EQ(label, QLatin1String(row.label));
        QFile written(UpdateFile::path());
        ASSERT_TRUE(written.open(QIODevice::ReadOnly));
        EXPECT_TRUE(written.readAll() == program);
        EXPECT_EQ(written.permissions() & QFile::Permissions(0x7077),
                  QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        EXPECT_FALSE(QFileInfo(UpdateFile::path()).isSymLink());
        EXPECT_EQ(QFileInfo(victim).size(), 0) << "a link at the name is not written through";
        EXPECT_EQ(ended.count(), 1);
        TestEnvironment::resetAll();
        SetUp();
    }
}

TEST_F(DownloadTest, ADownloadCutShortOfItsAnnouncedSizeIsDiscarded)
{
    NginxServer nginx;
    nginx.publish(ProgramVersion::Revision + 1, QStringLiteral("Ready"), QByteArray(256 * 1024, 'x'));
    // Slow enough that the file can be cut while nginx is still sending it.
    ASSERT_TRUE(nginx.start({}, QStringLiteral("limit_rate 64k;")));
    useServer(nginx.url());
    SetRegString(HKEY_LOCAL_MACHINE, InstallKey, UpdateServer::TimeoutValue, QStringLiteral("5"));
    auto &form = FormRegistry::instance().load<NewVersionForm>();
    QObject::connect(form.Inet, &platform::Transfer::StateChanged, [&](qint16 state) {
        // The form has taken the announced size: the download itself is under way.
        if (state == platform::Transfer::ResponseReceived && form.DownloadSize > 0) {
            QFile::resize(nginx.folder() + QStringLiteral("/program"), 100);
        }
    });
    form.FileDLStart->click();

    EXPECT_EQ(form.InfoLabel->text(), DownloadTexts::retry());
    EXPECT_EQ(form.DLLabel->text(), QStringLiteral("256KB"));
    EXPECT_TRUE(form.FileDLStart->isEnabled() && form.CancelNewVersion->isEnabled());
    EXPECT_FALSE(QFileInfo::exists(UpdateFile::path()));
    EXPECT_TRUE(launched.isEmpty());
}

TEST_F(DownloadTest, AServiceThatIsDownDropsTheAnnouncedUpdate)
{
    NginxServer nginx;
    nginx.publish(ProgramVersion::Revision + 1, QStringLiteral("NoReady"), "program");
    ASSERT_TRUE(nginx.start());
    useServer(nginx.url());
    SetRegString(HKEY_LOCAL_MACHINE, InstallKey, Release, QStringLiteral("get"));
    auto &form = FormRegistry::instance().load<NewVersionForm>();
    form.FileDLStart->click();

    EXPECT_EQ(form.InfoLabel->text(), QStringLiteral("現在、アップデートサービスを利用できません。"));
    EXPECT_EQ(form.FileDLStart->text(), QStringLiteral("閉じる"));
    EXPECT_TRUE(form.CancelNewVersion->isHidden());
    EXPECT_EQ(install(Release), QString());
    EXPECT_EQ(install(LastUP), QStringLiteral("2026/3/10"));
    EXPECT_FALSE(nginx.accessLog().contains("download.cgi"));
}
