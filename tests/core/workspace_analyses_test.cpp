// SPDX-License-Identifier: GPL-3.0-or-later
// The number analyses run on the Workspace: which lists each clears, hides or keeps, which
// caption it keeps, whether it exports, and that the period and the ticked numbers reach them.
#include "shell/CommandUnits.h"
#include "shell/JobRunner.h"
#include "support/TestSupport.h"

using namespace TestSupport;

namespace {

// d0: 1..20, d1: 51..70, d2: 1..10 and 61..70 (written high numbers first).
const QStringList kHistory = {
    drawLine(QStringLiteral("16/09/1993"), numberRange(1, 20)),
    drawLine(QStringLiteral("16/09/1993"), numberRange(51, 70), " soir"),
    drawLine(QStringLiteral("17/09/1993"), numberRange(61, 70) + numberRange(1, 10)),
};

// A runner that keeps the job until the test lets it go, as a worker thread would.
class HeldRunner : public JobRunner, public JobContext {
public:
    std::optional<Job> job;
    std::atomic<bool> cancel{false};
    std::vector<std::function<void()>> posted;
    void start(Job j) override { job = std::move(j); }
    const std::atomic<bool>* cancelFlag() const override { return &cancel; }
    void post(std::function<void()> update) override { posted.push_back(std::move(update)); }
};

class AnalysesTest : public WorkspaceFixture {
protected:
    void SetUp() override
    {
        start(kHistory);
        ASSERT_TRUE(m_ui.messages.empty());
    }

    QStringList lines() const { return report().resultat.lines; }

    void tick(const QList<int>& numbers)
    {
        for (int n : numbers)
            m_ws->units().grid.setCheck(n, true);
    }

    // Ticks "Exporter les calculs" and names the file the next export writes.
    QString exportTo(const QString& name)
    {
        m_ws->setExportEnabled(true);
        const QString path = m_data.filePath(name);
        m_ui.saveNames.push_back(path);
        return path;
    }

    // The ranking left by start-up: its title, and its right column from its second line on.
    QStringList rankingTail() const { return report().resultat2.lines.mid(1); }
};

TEST_F(AnalysesTest, GroupCountsBlankOrKeepTheCaptionHideTheRightListAndExport)
{
    const QString title = report().title;
    const QStringList right = report().resultat2.lines;
    ASSERT_EQ(right.size(), 36);
    ASSERT_FALSE(report().caption.isEmpty());
    const QString caption = report().caption;

    // Low/high keeps the caption; the ranking's right column stays, hidden, and is exported.
    const QString path = exportTo(QStringLiteral("pg.txt"));
    m_ws->units().analyses.petitsGros();
    EXPECT_EQ(report().caption, caption);
    EXPECT_EQ(lines(), utf8Lines({"30  Numéros bas ( 1 à 35 )", "30  Numéros hauts 36 à 70"}));
    EXPECT_FALSE(report().resultat2.visible);
    EXPECT_EQ(report().resultat2.lines, right);
    EXPECT_EQ(report().title, title);
    EXPECT_EQ(readFile(path), crlf(QStringList{title} + lines() + right.mid(1)));
    EXPECT_TRUE(m_ws->statsValid());

    m_ws->setExportEnabled(false);
    m_ws->units().analyses.pairsImpairs();
    EXPECT_EQ(report().caption, QString());
    EXPECT_EQ(lines(), utf8Lines({"30  Numéros impairs", "30  Numéros pairs"}));
    EXPECT_FALSE(report().resultat2.visible);
    EXPECT_EQ(report().resultat2.lines, right);

    // The lines themselves are the reports' own business: here, that they come from this history.
    m_ws->units().analyses.septaines();
    EXPECT_EQ(lines().value(1), QStringLiteral("10  Numéros de 8 a 14 "));
    m_ws->units().analyses.dizaines();
    EXPECT_EQ(lines().value(5), QStringLiteral("10  Numéros dans la  dizaine 6"));
    EXPECT_EQ(report().resultat2.lines, right);
}

TEST_F(AnalysesTest, GroupCountsAndTheGraphFollowTheStudyPeriod)
{
    // A click on the middle line ends the period at the first draw.
    m_ws->units().list.clickListe(1);
    m_ws->units().analyses.pairsImpairs();
    EXPECT_EQ(lines(), utf8Lines({"10  Numéros impairs", "10  Numéros pairs"}));
    m_ws->units().analyses.dizaines();
    EXPECT_EQ(lines().first(), QStringLiteral("10  Numéros dans la  dizaine 1"));
    EXPECT_EQ(lines().last(), QStringLiteral("2 Numéros finissant par  0"));

    m_ws->units().rankings.numero();
    ASSERT_NE(report().status, QStringLiteral("CALCUL"));
    m_ws->units().analyses.graph();
    EXPECT_EQ(report().status, QStringLiteral("CALCUL"));
    EXPECT_TRUE(report().busy);
    EXPECT_TRUE(m_ws->statsValid());
    EXPECT_EQ(m_ws->stats().appearances[1], 1);
    EXPECT_EQ(m_ws->stats().appearances[61], 0);
    EXPECT_EQ(m_ws->stats().currentGap[61], 1);
}

TEST_F(AnalysesTest, ColonneReadsTheAnswerAndDoesNothingOutsideOneToTwenty)
{
    const ReportModel before = report();
    exportTo(QStringLiteral("never.txt"));
    for (const char* text : {"0", "21", "-3", "", "abc"}) {
        m_ui.textAnswers.push_back(QString::fromLatin1(text));
        m_ws->units().analyses.colonne();
        EXPECT_EQ(lines(), before.resultat.lines) << text;
        EXPECT_TRUE(report().resultat2.visible) << text;
    }
    m_ui.textAnswers.push_back(std::nullopt); // cancelled
    m_ws->units().analyses.colonne();
    EXPECT_EQ(lines(), before.resultat.lines);

    // 2.6 is column 3: the third field as the line stores it, never exported.
    m_ui.textAnswers.push_back(QStringLiteral("2.6"));
    m_ws->units().analyses.colonne();
    EXPECT_EQ(lines(), utf8Lines({"Numéro  3 sorti 1", "Numéro  53 sorti 1", "Numéro  63 sorti 1", "", " Dans la colonne 3"}));
    EXPECT_FALSE(report().resultat2.visible);
    EXPECT_EQ(report().resultat2.lines, before.resultat2.lines);
    EXPECT_EQ(report().caption, before.caption);
    EXPECT_EQ(m_ui.askedTitles.last(), QString());
    EXPECT_EQ(m_ui.saveNames.size(), 1u); // never asked
}

TEST_F(AnalysesTest, PartenaireListsEveryOtherNumberAndExportsOnlyWithATick)
{
    const QString none = exportTo(QStringLiteral("none.txt"));
    m_ws->units().analyses.partenaire();
    EXPECT_EQ(lines(), utf8Lines({"Numeros choisis", "Nombre de numeros ", "0"}));
    EXPECT_FALSE(report().resultat2.visible);
    EXPECT_EQ(m_ui.saveNames.size(), 1u); // not asked

    // 1 and 2 came out together in d0 and d2: 3..10 twice, 11..20 and 61..70 once.
    tick({2, 1});
    m_ws->units().analyses.partenaire();
    EXPECT_EQ(lines().mid(0, 6), utf8Lines({"Numeros choisis", "1", "2", "Nombre de numeros ", "2", "Num  03 Sorti 0002 Fois "}));
    EXPECT_TRUE(m_ui.saveNames.empty());
    EXPECT_EQ(readFile(none), crlf(QStringList{report().title} + lines() + rankingTail()));
}

TEST_F(AnalysesTest, AnnonceurListsTheFollowersOrRefusesTooManyNumbers)
{
    // 61 came out in d1 and d2; after d1 comes d2, after d2 the empty trailing line.
    tick({61});
    const QString path = exportTo(QStringLiteral("annonce.txt"));
    m_ws->units().analyses.annonceur();
    EXPECT_EQ(lines().mid(0, 3),
              utf8Lines({" 61", "Cette combinaison est sortie  2 fois et a annoncé au tirage suivant", "1 fois le numéro  1"}));
    EXPECT_EQ(report().resultat.widthTwips, 5600);
    EXPECT_FALSE(report().resultat2.visible);
    EXPECT_EQ(readFile(path), crlf(QStringList{report().title} + lines() + rankingTail()));

    // Never out whole: one line, no export.
    m_ui.saveNames.push_back(m_data.filePath(QStringLiteral("never.txt")));
    tick({30});
    m_ws->units().analyses.annonceur();
    EXPECT_EQ(lines(), utf8Lines({" Cette combinaison n'est jamais sortie"}));
    EXPECT_EQ(m_ui.saveNames.size(), 1u);

    // The draw after the period's last one is looked at too: 61 came out in d1, after d0 alone.
    m_ws->units().entry.effacer();
    tick({61});
    m_ws->units().list.clickListe(1);
    m_ws->units().analyses.annonceur();
    EXPECT_EQ(lines().value(1), QStringLiteral("Cette combinaison est sortie  1 fois et a annoncé au tirage suivant"));

    // More than twenty: refused with its reason, nothing changed.
    tick(numberRange(1, 21));
    const QStringList before = lines();
    const CommandOutcome refused = m_ws->units().analyses.annonceur();
    EXPECT_EQ(refused.status, CommandOutcome::Status::Refused);
    EXPECT_FALSE(refused.reason.isEmpty());
    EXPECT_TRUE(m_ui.messages.empty());
    EXPECT_EQ(lines(), before);
}

TEST_F(AnalysesTest, PlusSortisListsTheRecordsAndTheirTies)
{
    m_ws->units().rankings.numero(); // both lists shown, the right one full
    tick({62, 1, 61, 2});
    m_ui.textAnswers.push_back(QStringLiteral("2"));
    m_ws->units().analyses.plusSortis();
    EXPECT_EQ(m_ui.askedTitles.last(), QStringLiteral("entre 2 et 10"));
    // (1 2) twice; (1 61) .. (2 62) once each; (61 62) twice again.
    EXPECT_EQ(lines(), utf8Lines({" 1 2    2", " 61 62    2"}));
    EXPECT_TRUE(report().resultat.isSelected(1));
    EXPECT_TRUE(report().resultat.visible);
    EXPECT_EQ(report().resultat.widthTwips, 5600);
    EXPECT_FALSE(report().resultat2.visible);
    EXPECT_TRUE(report().resultat2.lines.isEmpty());
    EXPECT_EQ(m_ws->units().analyses.label1(), QStringLiteral(" 61 62"));
    EXPECT_FALSE(m_ws->units().analyses.walkRunning());

    // Outside 2..10 the lists stay cleared.
    m_ui.textAnswers.push_back(QStringLiteral("11"));
    m_ws->units().analyses.plusSortis();
    EXPECT_TRUE(lines().isEmpty());
}

TEST_F(AnalysesTest, RechercheEcartListsOlderRecordsAndRestoresThePointer)
{
    tick({1, 2, 51, 52});
    m_ui.textAnswers = {QStringLiteral("2"), QStringLiteral("2")};
    m_ws->units().analyses.rechercheEcart();
    // (1 2) in the newest draw, gap 0; (51 52) last together in d1, gap 1.
    EXPECT_EQ(lines(), utf8Lines({" 1 2   2  0", " 51 52   2  1"}));
    EXPECT_EQ(m_ws->entry().affichage, kHistory[1]);
    EXPECT_FALSE(report().busy);
    EXPECT_FALSE(m_ws->waitCursor());
    EXPECT_EQ(m_ui.askedTitles.last(), QString());
    EXPECT_EQ(report().resultat.widthTwips, 5600);
    EXPECT_FALSE(report().resultat2.visible);

    // Outside 2..10: the pointer comes back at once.
    m_ui.textAnswers.push_back(QStringLiteral("1"));
    m_ws->units().analyses.rechercheEcart();
    EXPECT_FALSE(m_ws->waitCursor());

    // From the clicked line: d0 is the only draw before line 1.
    m_ws->units().list.clickListe(1);
    m_ui.textAnswers.push_back(QStringLiteral("2"));
    m_ui.textAnswers.push_back(QStringLiteral("1"));
    m_ws->units().analyses.rechercheEcart();
    EXPECT_EQ(lines(), utf8Lines({" 1 2   2  0"}));
}

TEST_F(AnalysesTest, AWalkHandedToARunnerEndsWhenTheRunnerFinishes)
{
    HeldRunner runner;
    m_ws->units().jobs.setRunner(&runner);
    tick({1, 2, 51, 52});
    m_ui.textAnswers = {QStringLiteral("2"), QStringLiteral("2")};
    m_ws->units().analyses.rechercheEcart();
    ASSERT_TRUE(runner.job.has_value());
    EXPECT_TRUE(m_ws->units().analyses.walkRunning());
    EXPECT_TRUE(m_ws->waitCursor());
    EXPECT_TRUE(lines().isEmpty());

    // A second walk does not start meanwhile: nothing is asked.
    m_ui.textAnswers.push_back(QStringLiteral("3"));
    m_ws->units().analyses.plusSortis();
    EXPECT_EQ(m_ui.textAnswers.size(), 1u);
    m_ui.textAnswers.clear();

    // The grid changing meanwhile does not reach the walk: it works on what it was given.
    m_ws->units().grid.setCheck(51, false);
    runner.job->run(runner);
    EXPECT_TRUE(lines().isEmpty()); // the records reach the report only on the Workspace's thread
    for (const auto& update : runner.posted)
        update();
    runner.job->finish();
    EXPECT_EQ(lines(), utf8Lines({" 1 2   2  0", " 51 52   2  1"}));
    EXPECT_FALSE(m_ws->units().analyses.walkRunning());
    EXPECT_FALSE(m_ws->units().jobs.running());
    EXPECT_FALSE(m_ws->waitCursor());
    m_ws->units().jobs.setRunner(nullptr);
}

} // namespace
