// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/CommandUnits.h"
#include "support/TestSupport.h"

#include <QFileInfo>

using namespace TestSupport;

namespace {

class ForecastWorkspaceTest : public WorkspaceFixture {
protected:
    void start(const QStringList& history)
    {
        WorkspaceFixture::start(history);
        m_ui.messages.clear();
    }
    // Five draws: 1 and 2 together in the first and the fourth, 1 alone in the second, 2 alone
    // in the fifth.
    void startPerformanceHistory()
    {
        start({drawWith(QDate(2020, 1, 1), true, {1, 2}, 50), drawWith(QDate(2020, 1, 1), false, {1}, 50),
               drawWith(QDate(2020, 1, 2), true, {}, 50), drawWith(QDate(2020, 1, 2), false, {1, 2}, 50),
               drawWith(QDate(2020, 1, 3), true, {2}, 50)});
    }

    QList<int> ticked() const
    {
        QList<int> v;
        for (int n = 1; n <= 70; ++n)
            if (m_ws->checks()[static_cast<size_t>(n)])
                v << n;
        return v;
    }

    QString criteriaFile() const { return m_config.filePath(QStringLiteral("Varn/tiravol.cfg")); }
};

TEST_F(ForecastWorkspaceTest, PerformanceWritesTheReportAndItsComparisonAndClearsTheRightList)
{
    startPerformanceHistory();
    m_ws->units().grid.setCheck(2, true);
    m_ws->units().grid.setCheck(1, true);
    m_ws->units().forecast.performance();

    // The report's own lines are Performance's business: here, its title, that the ticked numbers
    // and the whole period reached it, and what chance alone would have paid after it.
    const QStringList lines = m_ws->report().exportLines();
    ASSERT_EQ(lines.size(), 33);
    EXPECT_EQ(lines.mid(0, 2),
              utf8Lines({"Performance d'un ensemble", "01/01/2020 01 02-----------------------------6  €uros, Ecart 1"}));
    EXPECT_EQ(lines.mid(5, 3), utf8Lines({"03/01/2020 02", "", "Enjeu total 5 €uros"}));
    EXPECT_EQ(lines.mid(23),
              utf8Lines({"", "Comparaison avec le hasard", "Retour réel 12 €uros pour 5 €uros misés, soit 2,400 par €uro",
                         "Retour attendu 2,4 €uros, soit 0,472 par €uro ; retour médian 0 €uro",
                         "Intervalle à 95 % (loi exacte du total) : 0 à 12 €uros",
                         "Le retour réel est dans l'intervalle : p = 0,105, corrigé 0,146",
                         "Numéros sortis 6 fois, attendu 2,9, intervalle à 95 % : 0 à 6",
                         "Les sorties sont dans l'intervalle : p = 0,073, corrigé 0,146",
                         "Risque de 5 % pour les deux tests ensemble : p corrigé par la méthode de Holm",
                         "Verdict : compatible avec le hasard"}));
    const ReportModel& report = m_ws->report();
    EXPECT_EQ(report.caption, QString());
    EXPECT_FALSE(report.busy);
    EXPECT_TRUE(report.resultat.visible);
    EXPECT_EQ(report.resultat.widthTwips, 5600);
    EXPECT_FALSE(report.resultat2.visible);
    EXPECT_EQ(report.resultat2.count(), 0);
    // The last gap line is selected, not the empty line added after it.
    for (int i = 0; i < report.resultat.count(); ++i)
        EXPECT_EQ(report.resultat.isSelected(i), i == 20) << i;
    EXPECT_EQ(m_ws->entry().dat, QStringLiteral("03/01/2020 02"));
    EXPECT_TRUE(m_ui.messages.empty());
    // The statistics and the period are not the report's business.
    EXPECT_EQ(m_ws->studyPeriod().first, 0);
    EXPECT_EQ(m_ws->studyPeriod().last, 4);

    // After a ranking, the right list is cleared; nothing ticked gives the gap table part only.
    m_ws->units().rankings.sorties();
    ASSERT_GT(m_ws->report().resultat2.count(), 0);
    m_ws->units().grid.setCheck(1, false);
    m_ws->units().grid.setCheck(2, false);
    m_ws->units().forecast.performance();
    EXPECT_EQ(m_ws->report().exportLines(),
              utf8Lines({"Performance d'un ensemble", "", " tableau des écarts entre grilles gagnantes pour les numéros :", "",
                         "", "", ""}));
    EXPECT_TRUE(m_ws->report().resultat.isSelected(4));
}

TEST_F(ForecastWorkspaceTest, PresetsClearTheGridTickTheirNumbersAndRunThePerformance)
{
    startPerformanceHistory();
    m_ws->units().grid.setCheck(5, true);
    m_ws->units().grid.setCheck(33, true);
    m_ws->units().forecast.finales(10);
    EXPECT_EQ(ticked(), QList<int>({10, 20, 30, 40, 50, 60, 70}));
    EXPECT_EQ(m_ws->counters().text1, QStringLiteral("7"));
    // The report equals that of the same boxes ticked by hand: tiravol-cli's presets test says so.
    EXPECT_TRUE(m_ws->report().exportLines().contains(QStringLiteral(" 10 20 30 40 50 60 70")));

    m_ws->units().forecast.colonnes(6);
    EXPECT_EQ(ticked(), QList<int>({61, 62, 63, 64, 65, 66, 67, 68, 69, 70}));
    EXPECT_EQ(m_ws->counters().text1, QStringLiteral("10"));

    // Items that do not exist change nothing.
    m_ws->units().forecast.colonnes(7);
    m_ws->units().forecast.finales(0);
    EXPECT_EQ(ticked().size(), 10);
}

TEST_F(ForecastWorkspaceTest, SelectionListsEachCriterionAndGroupsAndLeavesTheGeneralWindow)
{
    // 1..19 in every draw; 20 in the first two, then 21, 22 and 23 once each.
    start({drawHolding(0, numberRange(1, 20)), drawHolding(1, numberRange(1, 20)), drawHolding(2, numberRange(1, 19) << 21),
           drawHolding(3, numberRange(1, 19) << 22), drawHolding(4, numberRange(1, 19) << 23)});
    using B = CriterionBar;
    const std::pair<B, int> moves[]
        = {{B::RecentDraws, 2}, {B::RecentMax, 1},  {B::RecentMin, 1}, {B::AverageMin, 5}, {B::GeneralDraws, 4},
           {B::GeneralMin, 2},  {B::GeneralMax, 4}, {B::GapMin, 1},    {B::GapMax, 2}};
    for (const auto& [b, value] : moves)
        m_ws->units().forecast.moveCriterion(b, value);
    m_ws->units().forecast.selectionNumeros();

    // The lines are ForecastSelection's business: here, that the bars moved reached it.
    const ReportModel& report = m_ws->report();
    const QStringList& lines = report.resultat.lines;
    ASSERT_EQ(lines.size(), 139);
    EXPECT_EQ(lines.mid(0, 3),
              utf8Lines({"Forme recente sur 2 Tirages , Sortie entre 1 et 1", " 22 Sorti  0001", " 23 Sorti  0001"}));
    EXPECT_EQ(lines[4], QStringLiteral("Forme moyenne sur 28 Tirages , Sortie entre 5 et 28"));
    EXPECT_EQ(lines[25], QStringLiteral("Forme générale sur4 tirages sorties entre 2 et 4"));
    EXPECT_EQ(lines.mid(46, 3), utf8Lines({"Numéros à l'écart compris entre 1 et 2", "21 ecart  02", "22 ecart  01"}));
    EXPECT_EQ(lines.mid(82, 4), utf8Lines({"Communs à 1 Criteres", "", "21", "23"}));
    EXPECT_EQ(report.resultat.widthTwips, 5600);
    EXPECT_FALSE(report.resultat2.visible);
    // The right list keeps what the last ranking left there.
    EXPECT_GT(report.resultat2.count(), 0);
    EXPECT_EQ(m_ws->studyPeriod().first, 1);
    EXPECT_EQ(m_ws->studyPeriod().last, 4);
    EXPECT_TRUE(m_ws->statsValid());
    EXPECT_EQ(m_ws->stats().appearances[20], 1);
    EXPECT_EQ(m_ws->stats().appearances[1], 4);
    EXPECT_TRUE(m_ui.messages.empty());

    // A ranking that follows works on the general window.
    m_ws->units().rankings.sorties();
    EXPECT_EQ(m_ws->studyPeriod().first, 1);
    EXPECT_EQ(m_ws->stats().appearances[20], 1);
}

TEST_F(ForecastWorkspaceTest, CriteriaSavedThenResetComeBackAndAFaultyFileIsToldOnce)
{
    startPerformanceHistory();
    using B = CriterionBar;
    // No file yet: the criteria as the load left them, and no message.
    const QString generalDraws = m_ws->criteria().label(B::GeneralDraws);
    m_ui.show(m_ws->units().forecast.reloadCriteria());
    EXPECT_TRUE(m_ui.messages.empty());
    EXPECT_EQ(m_ws->criteria().label(B::GeneralDraws), generalDraws);
    EXPECT_FALSE(QFileInfo::exists(criteriaFile()));

    m_ws->units().forecast.moveCriterion(B::RecentDraws, 28); // pushes the recent most bound to 28
    m_ws->units().forecast.moveCriterion(B::AverageMin, 40); // drags the average most bound up
    ASSERT_TRUE(m_ui.done(m_ws->units().forecast.saveCriteria()));
    EXPECT_EQ(readFile(criteriaFile()).split('\n').value(0), QByteArray("0,42,28\r"));

    m_ws->units().forecast.moveCriterion(B::RecentDraws, 3);
    m_ws->units().forecast.moveCriterion(B::RecentMax, 3);
    m_ws->units().forecast.moveCriterion(B::AverageMax, 20); // drags the fewest bound down
    const QString generalMostBefore = m_ws->criteria().label(B::GeneralMax);
    const CommandOutcome reloaded = m_ws->units().forecast.reloadCriteria();
    EXPECT_TRUE(reloaded.isDone());
    EXPECT_TRUE(reloaded.notices.isEmpty());
    EXPECT_TRUE(m_ui.messages.empty());
    EXPECT_EQ(m_ws->criteria().label(B::RecentDraws), QStringLiteral("28"));
    EXPECT_EQ(m_ws->criteria().label(B::AverageMin), QStringLiteral("40"));
    EXPECT_EQ(m_ws->criteria().label(B::GeneralMax), generalMostBefore);

    // A damaged file: loaded as far as sound (as ForecastCriteria's tests check), told once, and
    // never rewritten.
    const QByteArray damaged = "0,42,20\r\nbanane\r\n";
    writeFile(criteriaFile(), damaged);
    m_ui.show(m_ws->units().forecast.reloadCriteria());
    m_ui.show(m_ws->units().forecast.reloadCriteria()); // opened again: the same fault is not told twice
    EXPECT_EQ(m_ui.messages.size(), 1u);
    EXPECT_EQ(m_ws->criteria().label(B::RecentDraws), QStringLiteral("20"));
    EXPECT_EQ(readFile(criteriaFile()), damaged);

    // Closing the window by its title bar: the design-time criteria, labels included.
    m_ws->units().forecast.forgetCriteria();
    EXPECT_EQ(m_ws->criteria().label(B::GeneralMax), QStringLiteral("3000"));
    EXPECT_EQ(m_ws->criteria()[B::GeneralMax].value, 0);
}

TEST_F(ForecastWorkspaceTest, PerformanceAndSelectionEndWithTheExportStep)
{
    startPerformanceHistory();
    m_ws->setExportEnabled(true);
    const QString perf = m_data.filePath(QStringLiteral("perf.txt")), magic = m_data.filePath(QStringLiteral("magic.txt"));
    m_ui.saveNames = {perf, magic};
    m_ws->units().grid.setCheck(1, true);
    m_ws->units().forecast.performance();
    const QByteArray written = readFile(perf);
    EXPECT_TRUE(written.startsWith("Performance d'un ensemble\r\n01/01/2020 01--------------------------------0  \xe2\x82\xac"
                                   "uros, Ecart 1\r\n"));
    EXPECT_TRUE(written.endsWith("0001  fois a l'\xc3\xa9"
                                 "cart 00\r\n0002  fois a l'\xc3\xa9"
                                 "cart 01\r\n\r\n"));
    m_ws->units().forecast.selectionNumeros();
    // The title of the performance stays: the selection keeps it.
    EXPECT_TRUE(readFile(magic).startsWith("Performance d'un ensemble\r\nForme recente sur "));
    EXPECT_TRUE(m_ui.saveNames.empty());
}

} // namespace
