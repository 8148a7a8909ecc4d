// Installing Vexlo: the files land where a Linux desktop looks for them, the
// desktop's validators accept them, and the installed program keeps its
// settings in the user's configuration folder.
#include "x_session_test.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace vexlo::test {
namespace {

// One installation into a temporary prefix for all the checks here.
class Installed : public XSessionTest {
protected:
    static void SetUpTestSuite()
    {
        prefix_ = new QTemporaryDir;
        QProcess install;
        install.start(QStringLiteral("cmake"), {QStringLiteral("--install"), QStringLiteral(VEXLO_BUILD_DIR),
                                                QStringLiteral("--prefix"), prefix_->path()});
        installed_ = install.waitForFinished(60000) && install.exitStatus() == QProcess::NormalExit
                     && install.exitCode() == 0;
    }
    static void TearDownTestSuite()
    {
        // Writable again, so the temporary folder can go.
        QProcess::execute(QStringLiteral("chmod"), {QStringLiteral("-R"), QStringLiteral("u+w"), prefix_->path()});
        delete prefix_;
    }
    void SetUp() override { ASSERT_TRUE(installed_) << "cmake --install failed"; }
    static QString path(const QString &relative) { return prefix_->path() + u'/' + relative; }
    // Runs a validator when the machine has it; the exit code, or -1 when it is missing.
    static int validate(const char *tool, const QStringList &arguments, QString *output)
    {
        if (QStandardPaths::findExecutable(QString::fromLatin1(tool)).isEmpty())
            return -1;
        QProcess process;
        process.setProcessChannelMode(QProcess::MergedChannels);
        process.start(QString::fromLatin1(tool), arguments);
        process.waitForFinished(60000);
        *output = QString::fromLocal8Bit(process.readAll());
        return process.exitCode();
    }

    static inline QTemporaryDir *prefix_ = nullptr;
    static inline bool installed_ = false;
};

TEST_F(Installed, ProgramsDesktopEntryIconsAndMetainfoGoWhereTheDesktopLooks)
{
    EXPECT_TRUE(QFileInfo(path(QStringLiteral("bin/vexlo"))).isExecutable());
    EXPECT_TRUE(QFileInfo(path(QStringLiteral("bin/vexlo-play"))).isExecutable());
    EXPECT_TRUE(QFile::exists(path(QStringLiteral("share/applications/org.vexlo.Vexlo.desktop"))));
    EXPECT_TRUE(QFile::exists(path(QStringLiteral("share/metainfo/org.vexlo.Vexlo.metainfo.xml"))));
    for (int size : {16, 32, 48, 64, 128, 256}) {
        const QImage icon(path(QStringLiteral("share/icons/hicolor/%1x%1/apps/org.vexlo.Vexlo.png").arg(size)));
        EXPECT_EQ(icon.size(), QSize(size, size)) << size;
    }
}

TEST_F(Installed, TheDesktopsValidatorsAcceptTheEntryAndTheMetainfo)
{
    QString output;
    const int desktop = validate("desktop-file-validate",
                                 {path(QStringLiteral("share/applications/org.vexlo.Vexlo.desktop"))}, &output);
    if (desktop >= 0) {
        EXPECT_EQ(desktop, 0) << output.toStdString();
    }
    const int metainfo = validate("appstreamcli", {QStringLiteral("validate"), QStringLiteral("--no-net"),
                                                   path(QStringLiteral("share/metainfo/org.vexlo.Vexlo.metainfo.xml"))},
                                  &output);
    if (metainfo >= 0) {
        EXPECT_EQ(metainfo, 0) << output.toStdString();
    }
    if (desktop < 0 || metainfo < 0)
        GTEST_SKIP() << "a validator is not installed";
}

TEST_F(Installed, TheProgramKeepsItsSettingsInTheUsersConfigurationFolder)
{
    XSessionTest::SetUp();
    if (!started())
        return;
    QProcess::execute(QStringLiteral("chmod"), {QStringLiteral("-R"), QStringLiteral("a-w"), prefix_->path()});
    QTemporaryDir home;
    ASSERT_TRUE(session->startInstalled(path(QStringLiteral("bin/vexlo")), home.path()));

    // A first start: the options come first; tick translucent replacement.
    const QString options = session->waitForWindow(QStringLiteral("^Options$"));
    ASSERT_FALSE(options.isEmpty()) << "no Options dialog at the first start";
    const QPoint dialog = session->geometry(options).topLeft();
    ASSERT_TRUE(clickAt(dialog + QPoint(8 + 8, 32 + 8)));   // "Replace translucent colour"
    ASSERT_TRUE(clickAt(dialog + QPoint(240 + 40, 128 + 12))); // "OK"
    const QString load = session->waitForWindow(QStringLiteral("^Load left$"));
    ASSERT_FALSE(load.isEmpty());
    ASSERT_TRUE(session->closeWindow(load));
    const QString main = session->waitForWindow(QStringLiteral("^Vexlo$"));
    ASSERT_FALSE(main.isEmpty());
    ASSERT_TRUE(session->closeWindow(main));
    ASSERT_TRUE(session->waitForExit());

    QFile settings(home.path() + QStringLiteral("/.config/Vexlo/Vexlo.INI"));
    ASSERT_TRUE(settings.open(QIODevice::ReadOnly)) << "no settings in the user's configuration folder";
    const QByteArray stored = settings.readAll();
    EXPECT_TRUE(stored.contains("ChkRepTransL=1")) << stored.toStdString();
    EXPECT_FALSE(QFile::exists(path(QStringLiteral("bin/Vexlo.INI"))));
}

} // namespace
} // namespace vexlo::test
