// SPDX-License-Identifier: GPL-3.0-or-later
// The chance commands on the Workspace: what they leave in the report area, the period they
// read, the questions they ask and what they export.
#include "shell/Workspace.h"

#include "shell/CommandUnits.h"
#include "support/TestSupport.h"

using namespace TestSupport;

namespace {

class WorkspaceChanceTest : public WorkspaceFixture {
protected:
    QStringList m_history = makeHistory(60);

    void SetUp() override { start(m_history); }

    void expectOneColumn() const
    {
        EXPECT_TRUE(report().resultat.visible);
        EXPECT_EQ(report().resultat.widthTwips, 5600);
        EXPECT_FALSE(report().resultat2.visible);
        EXPECT_TRUE(report().resultat2.lines.isEmpty()); // an export holds these lines only
        EXPECT_EQ(report().caption, QString());
        EXPECT_FALSE(report().busy);
    }
};

} // namespace

TEST_F(WorkspaceChanceTest, HasardCountsThePeriodEndingBeforeTheSelection)
{
    m_ws->units().chance.hasard();
    expectOneColumn();
    EXPECT_EQ(report().title, QStringLiteral("Le hasard au ") + m_history.last().left(10));
    // The lines are the report's own; the count of the last number proves which draws it read.
    const QStringList& lines = report().resultat.lines;
    EXPECT_EQ(lines[0], QStringLiteral("Le hasard sur 60 tirages"));
    std::array<int, 71> a = referenceStats(m_history, 0, 59).appearances;
    EXPECT_TRUE(lines[1].startsWith(QStringLiteral("Sorties attendues par numéro : 17,1 ")));
    EXPECT_TRUE(lines[72].startsWith(QString::asprintf("Num  70 Sorti %04d écart réduit ", a[70])));

    // A click on item 31: the period is draws 0..30.
    m_ws->units().list.clickListe(31);
    m_ws->units().chance.hasard();
    EXPECT_EQ(report().title, QStringLiteral("Le hasard au ") + m_history[30].left(10));
    EXPECT_EQ(report().resultat.lines[0], QStringLiteral("Le hasard sur 31 tirages"));
    a = referenceStats(m_history, 0, 30).appearances;
    EXPECT_TRUE(report().resultat.lines[1].startsWith(QStringLiteral("Sorties attendues par numéro : 8,9 ")));
    EXPECT_TRUE(report().resultat.lines[3].startsWith(QString::asprintf("Num  01 Sorti %04d écart réduit ", a[1])));
    EXPECT_EQ(m_ws->studyPeriod().last, 30);
    EXPECT_TRUE(m_ws->statsValid());
}

TEST_F(WorkspaceChanceTest, CotesAreExportedWithTheirTitle)
{
    const QString target = m_data.filePath(QStringLiteral("cotes.txt"));
    m_ws->setExportEnabled(true);
    m_ui.saveNames.push_back(target);
    m_ws->units().chance.cotesKeno();
    expectOneColumn();
    EXPECT_EQ(report().title, QStringLiteral("Cotes du Keno"));
    // The title, then the one list; its lines are the report's own test.
    EXPECT_EQ(readFile(target), crlf(QStringList{report().title} + report().resultat.lines));
}

TEST_F(WorkspaceChanceTest, CompanionsReadTheTickedNumbers)
{
    m_ws->setExportEnabled(true);
    m_ui.saveNames.push_back(m_data.filePath(QStringLiteral("rien.txt")));
    m_ws->units().chance.partenairesHasard();
    EXPECT_EQ(report().title, QStringLiteral("Partenaires - hasard"));
    EXPECT_EQ(report().resultat.lines.size(), 2); // asks for a number: the report's own test
    EXPECT_EQ(m_ui.saveNames.size(), 1u); // nothing to export: no save dialog
    m_ui.saveNames.clear();

    const int n = m_history[10].mid(11, 2).toInt(); // a number of draw 10
    const int with = referenceStats(m_history, 0, 59).appearances[static_cast<size_t>(n)];
    m_ws->setExportEnabled(false);
    m_ws->units().grid.setCheck(n, true);
    m_ws->units().chance.partenairesHasard();
    EXPECT_EQ(report().resultat.lines[1], QStringLiteral("Tirages avec tous les numéros choisis : %1 sur 60").arg(with));
    EXPECT_EQ(report().resultat.lines.size(), 9 + 69 + 3);
    m_ws->units().chance.annonceurHasard();
    EXPECT_EQ(report().title, QStringLiteral("Annonceur - hasard"));
    // The newest draw has no following draw.
    EXPECT_EQ(report().resultat.lines[1],
              QStringLiteral("Tirages suivant la combinaison dans la période : %1 sur 60")
                  .arg(with - referenceStats(m_history, 59, 59).appearances[static_cast<size_t>(n)]));
    expectOneColumn();
    // After a click on draw 11, draw 10 ends the period: the draw it announces is outside, so it
    // does not count.
    m_ws->units().list.clickListe(11);
    m_ws->units().chance.annonceurHasard();
    EXPECT_EQ(report().resultat.lines[1],
              QStringLiteral("Tirages suivant la combinaison dans la période : %1 sur 11")
                  .arg(referenceStats(m_history, 0, 9).appearances[static_cast<size_t>(n)]));
}

TEST_F(WorkspaceChanceTest, BacktestAsksTheSizeAndRefusesOthers)
{
    m_ui.textAnswers.push_back(QStringLiteral("4"));
    m_ws->units().chance.testerPrevision(Workspace::kDefaultBacktestSeed);
    expectOneColumn();
    EXPECT_EQ(report().title, QStringLiteral("Tester la prévision"));
    EXPECT_EQ(
        report().resultat.lines.mid(0, 2),
        (QStringList{
            QStringLiteral("Test de la prévision sur 59 tirages, du %1 au %2").arg(m_history[1].left(10), m_history[59].left(10)),
            QStringLiteral("Chaque tirage : 4 numéros de la sélection faite sur les seuls tirages précédents")}));
    const QStringList before = report().resultat.lines;

    // Out of range, however large: refused with the range; cancelled: nothing at all.
    for (const char* typed : {"11", "1", "99999999999"}) {
        m_ui.textAnswers.push_back(QString::fromLatin1(typed));
        const CommandOutcome refused = m_ws->units().chance.testerPrevision(Workspace::kDefaultBacktestSeed);
        EXPECT_EQ(refused.status, CommandOutcome::Status::Refused) << typed;
        EXPECT_EQ(refused.reason, QStringLiteral("Le nombre de numéros joués va de 2 à 10"));
    }
    m_ui.textAnswers.push_back(std::nullopt);
    EXPECT_TRUE(m_ws->units().chance.testerPrevision(Workspace::kDefaultBacktestSeed).isDone());
    EXPECT_TRUE(m_ui.messages.empty());
    EXPECT_EQ(report().resultat.lines, before);
}
