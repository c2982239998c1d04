// SPDX-License-Identifier: GPL-3.0-or-later
// Installs this build tree into a temporary prefix and starts the installed programs there.
#include "shell/AppFiles.h"

#include <QDir>
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>
#include <QtEndian>
#include <gtest/gtest.h>

namespace {

struct ProgramRun {
    int exitCode = -1;
    QByteArray out, err;
};

ProgramRun run(const QString& program, const QStringList& arguments, const QProcessEnvironment& environment)
{
    QProcess process; // killed by its destructor if it hangs
    process.setProcessEnvironment(environment);
    process.start(program, arguments);
    if (!process.waitForFinished(120000) || process.exitStatus() != QProcess::NormalExit)
        return {};
    return {process.exitCode(), process.readAllStandardOutput(), process.readAllStandardError()};
}

} // namespace

TEST(Install, InstalledProgramsStartAndFindTheirFilesUnderThePrefix)
{
    QTemporaryDir temp;
    const QString prefix = temp.filePath(QStringLiteral("prefix"));
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    for (const auto& [name, path] : {std::pair{"HOME", "home"},
                                     {"XDG_CONFIG_HOME", "home/config"},
                                     {"XDG_DATA_HOME", "home/share"},
                                     {"XDG_DATA_DIRS", "nowhere"},
                                     {"XDG_RUNTIME_DIR", "runtime"}})
        environment.insert(QLatin1String(name), temp.filePath(QLatin1String(path)));
    const QString runtime = temp.filePath(QStringLiteral("runtime"));
    QDir().mkpath(runtime);
    QFile::setPermissions(runtime, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);

    const ProgramRun install
        = run(QStringLiteral(TIRAVOL_CMAKE),
              {QStringLiteral("--install"), QStringLiteral(TIRAVOL_BUILD_DIR), QStringLiteral("--prefix"), prefix}, environment);
    ASSERT_EQ(install.exitCode, 0) << install.err.toStdString();

    const QDir root(prefix);
    for (const char* path : {"bin/tiravol", "bin/tiravol-cli", "share/tiravol/aidekeno.pdf", "share/applications/tiravol.desktop",
                             "share/icons/hicolor/scalable/apps/tiravol.svg", "share/icons/hicolor/48x48/apps/tiravol.png",
                             "share/icons/hicolor/256x256/apps/tiravol.png", "share/metainfo/fr.tiravol.Tiravol.metainfo.xml",
                             "share/man/man1/tiravol.1.gz", "share/man/man1/tiravol-cli.1.gz", "share/man/fr/man1/tiravol.1.gz",
                             "share/man/fr/man1/tiravol-cli.1.gz", "share/bash-completion/completions/tiravol-cli",
                             "share/zsh/vendor-completions/_tiravol-cli"})
        EXPECT_TRUE(QFileInfo(root.filePath(QLatin1String(path))).isFile()) << path;
    EXPECT_TRUE(QFileInfo(root.filePath(QStringLiteral("bin/tiravol"))).isExecutable());
    // The tips file is installed exactly when the sources hold it.
    EXPECT_EQ(QFileInfo::exists(root.filePath(QStringLiteral("share/tiravol/Conseil.txt"))),
              QFileInfo::exists(QStringLiteral(TIRAVOL_SOURCE_DIR "/data/Conseil.txt")));

    // A PDF, not an empty placeholder.
    QFile pdf(root.filePath(QStringLiteral("share/tiravol/aidekeno.pdf")));
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
    EXPECT_TRUE(pdf.read(5) == "%PDF-");
    EXPECT_GT(pdf.size(), 10000);

    // Each icon is a PNG drawn at the size its folder names (width and height in its IHDR chunk).
    for (int size : {48, 256}) {
        QFile icon(root.filePath(QStringLiteral("share/icons/hicolor/%1x%1/apps/tiravol.png").arg(size)));
        ASSERT_TRUE(icon.open(QIODevice::ReadOnly)) << size;
        const QByteArray head = icon.read(24);
        ASSERT_EQ(head.size(), 24);
        EXPECT_TRUE(head.startsWith("\x89PNG\r\n\x1a\n")) << size;
        EXPECT_EQ(qFromBigEndian<quint32>(head.constData() + 16), quint32(size));
        EXPECT_EQ(qFromBigEndian<quint32>(head.constData() + 20), quint32(size));
    }

    // The desktop entry starts the installed program by name, with its icon and a French name.
    QSettings desktop(root.filePath(QStringLiteral("share/applications/tiravol.desktop")), QSettings::IniFormat);
    desktop.beginGroup(QStringLiteral("Desktop Entry"));
    for (const auto& [key, value] :
         {std::pair{"Exec", "tiravol"}, {"TryExec", "tiravol"}, {"Icon", "tiravol"}, {"Type", "Application"}})
        EXPECT_EQ(desktop.value(QLatin1String(key)).toString(), QLatin1String(value)) << key;

    // From the installed bin folder, the files are found in share/tiravol of the same prefix.
    EXPECT_EQ(AppFiles::find(QLatin1String(AppFiles::kHelpName), root.filePath(QStringLiteral("bin"))),
              root.filePath(QStringLiteral("share/tiravol/aidekeno.pdf")));

    const ProgramRun help = run(root.filePath(QStringLiteral("bin/tiravol-cli")), {QStringLiteral("--help")}, environment);
    EXPECT_EQ(help.exitCode, 0) << help.err.toStdString();
    // The usage text names the program, on whichever stream it goes.
    EXPECT_TRUE((help.out + help.err).contains("usage : tiravol-cli")) << help.err.toStdString();

    const ProgramRun window = run(root.filePath(QStringLiteral("bin/tiravol")),
                                  {QStringLiteral("--demo"), QStringLiteral("--quit-after-start")}, environment);
    EXPECT_EQ(window.exitCode, 0) << window.err.toStdString();
    // The demonstration keeps to its temporary folder: nothing lands in the home folder's documents.
    EXPECT_FALSE(QFileInfo::exists(temp.filePath(QStringLiteral("home/Documents/Tirages_keno.txt"))));
}
