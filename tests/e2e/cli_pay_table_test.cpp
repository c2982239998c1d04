// SPDX-License-Identifier: GPL-3.0-or-later
// tiravol-cli gains: the pay table in force printed, and one amount corrected in the settings.
#include "cli/CliCommand.h"
#include "shell/Settings.h"
#include "support/CliSupport.h"

#include <QDir>

using namespace TestSupport;

namespace {

class CliPayTable : public CliTest {
protected:
    QString settingsFile() const { return Settings::iniPath(m_home.filePath(QStringLiteral("config"))); }
    // The printed row of `ticked` numbers.
    static QString row(const CliOutput& run, int ticked)
    {
        for (const QString& line : run.outLines())
            if (line.startsWith(QString::number(ticked).rightJustified(16) + QLatin1Char(' ')))
                return line;
        return {};
    }
};

TEST_F(CliPayTable, PrintsTheTableInForceOfTheGameWithoutAnyHistory)
{
    const CliOutput classic = cli("gains");
    EXPECT_EQ(classic.code, CliStatus::kOk) << classic.err.toStdString();
    EXPECT_TRUE(classic.err.isEmpty()) << classic.err.toStdString();
    EXPECT_TRUE(classic.out.startsWith(QStringLiteral("Table des gains en vigueur : Keno 20 sur 70")));
    EXPECT_EQ(row(classic, 7),
              QStringLiteral("               7        0        0        0        0        2        5       70"
                             "     3000"));
    EXPECT_FALSE(classic.out.contains(QStringLiteral("inconnu")));

    const CliOutput current = cli("--jeu 16-56 gains");
    EXPECT_EQ(current.code, CliStatus::kOk);
    EXPECT_EQ(row(current, 9),
              QStringLiteral("               9  inconnu  inconnu  inconnu  inconnu  inconnu  inconnu  inconnu"
                             "  inconnu  inconnu    30000"));
    EXPECT_TRUE(current.out.contains(QStringLiteral("provisoires")));
    EXPECT_FALSE(QFileInfo::exists(settingsFile())); // printing writes nothing
    EXPECT_EQ(cli("-o x.txt gains").code, CliStatus::kUsage);
}

TEST_F(CliPayTable, OneAmountIsCorrectedInTheSettingsAndServesEveryLaterRun)
{
    const CliOutput fixed = cli("--jeu 16-56 gains --fixer 4,4,25");
    EXPECT_EQ(fixed.code, CliStatus::kOk) << fixed.err.toStdString();
    EXPECT_EQ(row(fixed, 4), QStringLiteral("               4  inconnu  inconnu  inconnu  inconnu       25"));
    EXPECT_TRUE(fixed.out.contains(QStringLiteral("(la table d'origine corrigée par le joueur)")));
    EXPECT_TRUE(readFile(settingsFile()).contains("[Gains]\n16-56=\"4=;;;;25\"\n")) << readFile(settingsFile()).toStdString();

    const CliOutput cleared = cli("gains --jeu 16-56 --effacer 7,6");
    EXPECT_EQ(cleared.code, CliStatus::kOk);
    EXPECT_TRUE(row(cleared, 7).endsWith(QStringLiteral("  inconnu        5  inconnu     3000")));
    EXPECT_EQ(row(cli("--jeu 16-56 gains"), 4), row(fixed, 4));
    // The other game's table is untouched.
    EXPECT_FALSE(cli("gains").out.contains(QStringLiteral("inconnu")));
}

TEST_F(CliPayTable, MistakesAreRefusedAndLeaveTheSettingsAsTheyWere)
{
    ASSERT_EQ(cli("--jeu 16-56 gains --fixer 4,4,25").code, CliStatus::kOk);
    const QByteArray before = readFile(settingsFile());
    const struct {
        const char* args;
        const char* said;
    } wrong[] = {
        {"--jeu 16-56 gains --fixer 3,1,5", "« 3 » n'est pas un nombre de 4 à 10"},
        {"gains --fixer 4,5,1", "« 5 » n'est pas un nombre de 0 à 4"},
        {"gains --fixer 4,4,-1", "« -1 » n'est pas un montant"},
        {"gains --fixer 4,4,inconnu", "« inconnu » n'est pas un montant"},
        {"gains --fixer 4,4", "« 4,4 » n'est pas de la forme K,M,MONTANT"},
        {"gains --effacer 4,4,1", "n'est pas de la forme K,M"},
        {"gains --fixer 4,4,1 --effacer 4,4", "un seul montant à la fois"},
    };
    for (const auto& w : wrong) {
        const CliOutput run = cli(w.args);
        EXPECT_EQ(run.code, CliStatus::kUsage) << w.args;
        EXPECT_TRUE(run.err.contains(QString::fromUtf8(w.said))) << w.args << " → " << run.err.toStdString();
        EXPECT_EQ(readFile(settingsFile()), before) << w.args;
    }

    // A text spoilt by hand: said on standard error, the shipped table printed.
    writeFile(settingsFile(), "[Gains]\n16-56=4=1;2\n");
    const CliOutput spoilt = cli("--jeu 16-56 gains");
    EXPECT_EQ(spoilt.code, CliStatus::kOk);
    EXPECT_TRUE(spoilt.err.startsWith(QStringLiteral("Réglage [Gains] 16-56 du fichier"))) << spoilt.err.toStdString();
    EXPECT_TRUE(spoilt.out.contains(QStringLiteral("(la table d'origine)")));

    // Settings that cannot be written: a failure, and nothing changed.
    QFile::remove(settingsFile());
    ASSERT_TRUE(QDir().mkpath(settingsFile()));
    const CliOutput unwritable = cli("--jeu 16-56 gains --fixer 4,4,25");
    EXPECT_EQ(unwritable.code, CliStatus::kFailure);
    EXPECT_TRUE(unwritable.err.startsWith(QStringLiteral("tiravol-cli : Le fichier des réglages « ")))
        << unwritable.err.toStdString();
    EXPECT_TRUE(unwritable.out.isEmpty());
}

} // namespace
