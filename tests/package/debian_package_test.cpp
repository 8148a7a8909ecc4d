// The Debian package: its name, files and fields, lintian's verdict, an
// install with dpkg into a temporary root, and manual pages that match the
// installed programs.
#include "about/about_links.h"
#include "common/version.h"

#include <QDir>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <iostream>

namespace vexlo::test {
namespace {

struct ProgramRun {
    int exitCode = -1;
    QString out;
    QString err;
};

// Runs a program to its end; a missing program or a crash gives exit code -1.
ProgramRun RunProgram(const QString &program, const QStringList &arguments)
{
    ProgramRun run;
    if (QStandardPaths::findExecutable(program).isEmpty() && !QFileInfo(program).isExecutable()) {
        run.err = program + QStringLiteral(" is not installed (./setup test installs it)");
        return run;
    }
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("LC_ALL"), QStringLiteral("C.UTF-8"));
    environment.insert(QStringLiteral("MANWIDTH"), QStringLiteral("80"));
    process.setProcessEnvironment(environment);
    process.start(program, arguments);
    if (!process.waitForFinished(300000)) {
        process.kill();
        process.waitForFinished();
    }
    if (process.exitStatus() == QProcess::NormalExit)
        run.exitCode = process.exitCode();
    run.out = QString::fromUtf8(process.readAllStandardOutput());
    run.err += QString::fromUtf8(process.readAllStandardError());
    return run;
}

std::string Shown(const ProgramRun &run)
{
    return (run.out + run.err).toStdString();
}

// One package built and installed for all the checks here.
class DebianPackage : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        work_ = new QTemporaryDir;
        const ProgramRun arch = RunProgram(QStringLiteral("dpkg"), {QStringLiteral("--print-architecture")});
        fileName_ = QStringLiteral("vexlo_%1-1_%2.deb").arg(QString::fromLatin1(kVersionText), arch.out.trimmed());
        built_ = RunProgram(QStringLiteral(VEXLO_CPACK),
                            {QStringLiteral("--config"), QStringLiteral(VEXLO_BUILD_DIR "/CPackConfig.cmake"),
                             QStringLiteral("-B"), work_->filePath(QStringLiteral("out"))});
        // An empty package database of its own; the root has none of the
        // libraries, so dpkg is told to unpack and configure regardless.
        QDir().mkpath(root(QStringLiteral("var/lib/dpkg/info")));
        QDir().mkpath(root(QStringLiteral("var/lib/dpkg/updates")));
        QFile(root(QStringLiteral("var/lib/dpkg/status"))).open(QIODevice::WriteOnly);
        installed_ = RunProgram(QStringLiteral("dpkg"),
                                {QStringLiteral("--root=") + root(QString()), QStringLiteral("--force-depends"),
                                 QStringLiteral("--force-not-root"), QStringLiteral("-i"), package()});
    }
    static void TearDownTestSuite() { delete work_; }

    static QString package() { return work_->filePath(QStringLiteral("out/") + fileName_); }
    static QString root(const QString &relative) { return work_->filePath(QStringLiteral("root/") + relative); }
    static ProgramRun dpkgDeb(const QString &what) { return RunProgram(QStringLiteral("dpkg-deb"), {what, package()}); }
    static ProgramRun field(const char *name)
    {
        return RunProgram(QStringLiteral("dpkg-deb"), {QStringLiteral("-f"), package(), QString::fromLatin1(name)});
    }
    static void expectBuilt() { ASSERT_EQ(built_.exitCode, 0) << "cpack failed: " << Shown(built_); }
    static void expectInstalled()
    {
        expectBuilt();
        ASSERT_EQ(installed_.exitCode, 0) << "dpkg -i failed: " << Shown(installed_);
    }
    // A compressed file as installed.
    static QString unpacked(const QString &relative)
    {
        return RunProgram(QStringLiteral("gzip"), {QStringLiteral("-dc"), root(relative)}).out;
    }

    static inline QTemporaryDir *work_ = nullptr;
    static inline QString fileName_;
    static inline ProgramRun built_;
    static inline ProgramRun installed_;
};

QSet<QString> LongOptions(const QString &text)
{
    QSet<QString> options;
    static const QRegularExpression option(QStringLiteral("--[a-z][a-z-]*"));
    for (const QRegularExpressionMatch &match : option.globalMatch(text))
        options.insert(match.captured());
    return options;
}

// The options of the first set that the second lacks, sorted, for a message.
std::string Lacking(const QSet<QString> &options, const QSet<QString> &in)
{
    QStringList lacking = QSet<QString>(options).subtract(in).values();
    lacking.sort();
    return lacking.join(u' ').toStdString();
}

TEST_F(DebianPackage, IsNamedForTheVersionAndHoldsTheProgramsTheirPagesAndTheDesktopFiles)
{
    expectBuilt();
    ASSERT_TRUE(QFileInfo::exists(package())) << fileName_.toStdString() << " not made: " << Shown(built_);
    const ProgramRun contents = dpkgDeb(QStringLiteral("--contents"));
    ASSERT_EQ(contents.exitCode, 0) << Shown(contents);
    QStringList files;
    for (const QString &line : contents.out.split(u'\n', Qt::SkipEmptyParts))
        if (!line.startsWith(u'd'))
            files.append(line.section(u' ', -1));
    files.sort();
    QStringList expected{QStringLiteral("./usr/bin/vexlo"),
                         QStringLiteral("./usr/bin/vexlo-play"),
                         QStringLiteral("./usr/share/applications/org.vexlo.Vexlo.desktop"),
                         QStringLiteral("./usr/share/doc/vexlo/changelog.Debian.gz"),
                         QStringLiteral("./usr/share/doc/vexlo/copyright"),
                         QStringLiteral("./usr/share/man/man1/vexlo-play.1.gz"),
                         QStringLiteral("./usr/share/man/man1/vexlo.1.gz"),
                         QStringLiteral("./usr/share/metainfo/org.vexlo.Vexlo.metainfo.xml")};
    for (int size : {16, 32, 48, 64, 128, 256})
        expected.append(QStringLiteral("./usr/share/icons/hicolor/%1x%1/apps/org.vexlo.Vexlo.png").arg(size));
    expected.sort();
    EXPECT_EQ(files, expected) << contents.out.toStdString();
}

TEST_F(DebianPackage, ItsFieldsNameTheProjectAndItsDependsTheLibrariesTheProgramsLink)
{
    expectBuilt();
    EXPECT_EQ(field("Package").out.trimmed(), QStringLiteral("vexlo"));
    EXPECT_EQ(field("Version").out.trimmed(), QString::fromLatin1(kVersionText) + QStringLiteral("-1"));
    EXPECT_EQ(field("Section").out.trimmed(), QStringLiteral("graphics"));
    EXPECT_EQ(field("Homepage").out.trimmed(), AboutLinks::homePage().toString());
    EXPECT_TRUE(field("Maintainer").out.contains(AboutLinks::homePage().host().remove(QStringLiteral("www."))));
    const QString depends = field("Depends").out;
    for (const char *library : {"libqt6widgets6 (>=", "libqt6gui6 (>=", "libqt6core6 (>=", "libdeflate0 (>=", "libc6 (>=", "libstdc++6"})
        EXPECT_TRUE(depends.contains(QString::fromLatin1(library))) << library << " missing from: "
                                                                      << depends.toStdString();
    const QStringList description = field("Description").out.split(u'\n', Qt::SkipEmptyParts);
    EXPECT_GE(description.size(), 2) << "no extended description";
}

TEST_F(DebianPackage, LintianFindsNoErrors)
{
    expectBuilt();
    const ProgramRun lintian = RunProgram(QStringLiteral("lintian"), {QStringLiteral("--fail-on"), QStringLiteral("error"),
                                                               QStringLiteral("--display-info"), package()});
    std::cout << "lintian says:\n" << lintian.out.toStdString();
    EXPECT_EQ(lintian.exitCode, 0) << Shown(lintian);
}

TEST_F(DebianPackage, InstalledWithDpkgIntoAnotherRootItsVexloPlayRuns)
{
    expectInstalled();
    const ProgramRun status = RunProgram(QStringLiteral("dpkg-query"), {QStringLiteral("--root=") + root(QString()),
                                                                 QStringLiteral("-W"),
                                                                 QStringLiteral("-f=${Status}"), QStringLiteral("vexlo")});
    EXPECT_EQ(status.out, QStringLiteral("install ok installed")) << Shown(status);
    const ProgramRun version = RunProgram(root(QStringLiteral("usr/bin/vexlo-play")), {QStringLiteral("--version")});
    EXPECT_EQ(version.exitCode, 0) << Shown(version);
    EXPECT_EQ(version.out, QStringLiteral("vexlo-play %1\n").arg(QString::fromLatin1(kVersionText)));
}

TEST_F(DebianPackage, TheChangelogsNewestEntryIsForThisVersion)
{
    expectInstalled();
    const QString changelog = unpacked(QStringLiteral("usr/share/doc/vexlo/changelog.Debian.gz"));
    EXPECT_TRUE(changelog.startsWith(QStringLiteral("vexlo (%1-1) ").arg(QString::fromLatin1(kVersionText))))
        << "packaging/changelog wants a new entry at the top: " << changelog.section(u'\n', 0, 0).toStdString();
}

TEST_F(DebianPackage, TheManualOfVexloPlayNamesExactlyTheOptionsOfItsHelp)
{
    expectInstalled();
    const ProgramRun help = RunProgram(root(QStringLiteral("usr/bin/vexlo-play")), {QStringLiteral("--help")});
    ASSERT_EQ(help.exitCode, 0) << Shown(help);
    const QSet<QString> helpOptions = LongOptions(help.out);
    ASSERT_TRUE(helpOptions.contains(QStringLiteral("--out-right"))) << help.out.toStdString();
    // The page's source writes each hyphen of an option as "\\-".
    const QString page = unpacked(QStringLiteral("usr/share/man/man1/vexlo-play.1.gz"));
    // Its example command for GNU parallel (continued by "\\e" lines) names parallel's own options.
    static const QRegularExpression parallel(QStringLiteral(R"(\$ parallel(?:[^\n]*\\e\n)*[^\n]*)"));
    const QSet<QString> manualOptions =
        LongOptions(QString(page).replace(QStringLiteral("\\-"), QStringLiteral("-")).remove(parallel));
    EXPECT_EQ(Lacking(helpOptions, manualOptions), "") << "missing from the manual page";
    EXPECT_EQ(Lacking(manualOptions, helpOptions), "") << "in the manual page but not in --help";
}

TEST_F(DebianPackage, TheManualPagesRenderWithoutWarningsAndCarryTheVersion)
{
    expectInstalled();
    for (const QString &page : {QStringLiteral("vexlo.1.gz"), QStringLiteral("vexlo-play.1.gz")}) {
        const ProgramRun shown = RunProgram(QStringLiteral("man"),
                                     {QStringLiteral("--warnings"), QStringLiteral("-E"), QStringLiteral("UTF-8"),
                                      QStringLiteral("-l"), root(QStringLiteral("usr/share/man/man1/") + page)});
        EXPECT_EQ(shown.exitCode, 0) << page.toStdString() << ": " << Shown(shown);
        EXPECT_TRUE(shown.err.isEmpty()) << page.toStdString() << ": " << shown.err.toStdString();
        EXPECT_TRUE(shown.out.contains(QStringLiteral("Vexlo %1").arg(QString::fromLatin1(kVersionText))))
            << page.toStdString();
    }
}

} // namespace
} // namespace vexlo::test
