// The chance commands on the Workspace: what they leave in the report area, the period they
// read, the questions they ask and what they export.
#include "shell/Workspace.h"

#include "support/TestSupport.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <memory>

using TestSupport::crlf;
using TestSupport::makeHistory;

namespace {

class WorkspaceChanceTest : public TestSupport::WorkspaceFixture {
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
    m_ws->hasard();
    expectOneColumn();
    EXPECT_EQ(report().title, QStringLiteral("Le hasard au ") + m_history.last().left(10));
    const QStringList& lines = report().resultat.lines;
    EXPECT_EQ(lines[0], QStringLiteral("Le hasard sur 60 tirages"));
    std::array<int, 71> a = TestSupport::referenceStats(m_history, 0, 59).appearances;
    for (int n = 1; n <= 70; ++n)
        EXPECT_TRUE(
            lines[2 + n].startsWith(QString::asprintf("Num  %02d Sorti %04d attendu 17,1 bande ", n, a[static_cast<size_t>(n)])))
            << lines[2 + n].toStdString();

    // A click on item 31: the period is draws 0..30.
    m_ws->clickListe(31);
    m_ws->hasard();
    EXPECT_EQ(report().title, QStringLiteral("Le hasard au ") + m_history[30].left(10));
    EXPECT_EQ(report().resultat.lines[0], QStringLiteral("Le hasard sur 31 tirages"));
    a = TestSupport::referenceStats(m_history, 0, 30).appearances;
    EXPECT_TRUE(report().resultat.lines[3].startsWith(QString::asprintf("Num  01 Sorti %04d attendu 8,9 ", a[1])));
    EXPECT_EQ(m_ws->studyPeriod().last, 30);
    EXPECT_TRUE(m_ws->statsValid());
}

TEST_F(WorkspaceChanceTest, CotesAreExportedWithTheirTitle)
{
    const QString target = m_data.filePath(QStringLiteral("cotes.txt"));
    m_ws->setExportEnabled(true);
    m_ui.saveNames.push_back(target);
    m_ws->cotesKeno();
    expectOneColumn();
    EXPECT_EQ(report().title, QStringLiteral("Cotes du Keno"));
    const QStringList written = QString::fromUtf8(TestSupport::readFile(target)).split(QStringLiteral("\r\n"));
    EXPECT_EQ(written[0], QStringLiteral("Cotes du Keno"));
    EXPECT_EQ(written[1], QStringLiteral("Cotes du Keno : 20 numéros tirés sur 70, mise 1 €uro par tirage"));
    EXPECT_TRUE(written.contains(QStringLiteral("  2 bon(s) : probabilité 0,079 (1 sur 12,7), gain 6")));
}

TEST_F(WorkspaceChanceTest, CompanionsReadTheTickedNumbers)
{
    m_ws->setExportEnabled(true);
    m_ui.saveNames.push_back(m_data.filePath(QStringLiteral("rien.txt")));
    m_ws->partenairesHasard();
    EXPECT_EQ(report().title, QStringLiteral("Partenaires - hasard"));
    EXPECT_EQ(report().resultat.lines,
              (QStringList{QStringLiteral("Partenaires - hasard :"), QStringLiteral("Cochez au moins un numéro")}));
    EXPECT_EQ(m_ui.saveNames.size(), 1u); // nothing to export: no save dialog
    m_ui.saveNames.clear();

    const int n = m_history[10].mid(11, 2).toInt(); // a number that came out
    auto holds = [n](const QString& line) {
        for (int i = 0; i < 20; ++i)
            if (line.mid(11 + 3 * i, 2).toInt() == n)
                return true;
        return false;
    };
    const int with = static_cast<int>(std::count_if(m_history.begin(), m_history.end(), holds));
    m_ws->setExportEnabled(false);
    m_ws->setCheck(n, true);
    m_ws->partenairesHasard();
    EXPECT_EQ(report().resultat.lines[1], QStringLiteral("Tirages avec tous les numéros choisis : %1 sur 60").arg(with));
    EXPECT_EQ(report().resultat.lines.size(), 6 + 69 + 2);
    m_ws->annonceurHasard();
    EXPECT_EQ(report().title, QStringLiteral("Annonceur - hasard"));
    // The newest draw has no following draw.
    EXPECT_EQ(report().resultat.lines[1],
              QStringLiteral("Tirages suivant la combinaison dans la période : %1 sur 60")
                  .arg(with - (holds(m_history.last()) ? 1 : 0)));
    expectOneColumn();
    // After a click on the draw that follows one holding n, that trigger ends the period: the
    // draw it announces is outside, so it does not count.
    int end = 10;
    while (!holds(m_history[end]))
        ++end;
    m_ws->clickListe(end + 1);
    m_ws->annonceurHasard();
    EXPECT_EQ(report().resultat.lines[1],
              QStringLiteral("Tirages suivant la combinaison dans la période : %1 sur %2")
                  .arg(std::count_if(m_history.begin(), m_history.begin() + end, holds))
                  .arg(end + 1));
}

TEST_F(WorkspaceChanceTest, BacktestAsksTheSizeAndRefusesOthers)
{
    m_ui.textAnswers.push_back(QStringLiteral("4"));
    m_ws->testerPrevision();
    expectOneColumn();
    EXPECT_EQ(report().title, QStringLiteral("Tester la prévision"));
    EXPECT_EQ(report().resultat.lines[0],
              QStringLiteral("Test de la prévision sur 59 tirages, du ") + m_history[1].left(10) + QStringLiteral(" au ")
                  + m_history.last().left(10));
    EXPECT_EQ(report().resultat.lines[1],
              QStringLiteral("Chaque tirage : 4 numéros de la sélection faite sur les seuls tirages précédents"));
    const QStringList before = report().resultat.lines;

    m_ui.textAnswers.push_back(QStringLiteral("11"));
    m_ws->testerPrevision();
    ASSERT_EQ(m_ui.messages.size(), 1u);
    EXPECT_EQ(m_ui.messages[0].text, QStringLiteral("Le nombre de numéros joués va de 2 à 10"));
    m_ui.textAnswers.push_back(std::nullopt);
    m_ws->testerPrevision();
    EXPECT_EQ(m_ui.messages.size(), 1u);
    EXPECT_EQ(report().resultat.lines, before);

    // After a click the draws played end before the clicked one.
    m_ws->clickListe(21);
    m_ui.textAnswers.push_back(QStringLiteral("10"));
    m_ws->testerPrevision();
    EXPECT_EQ(report().resultat.lines[0],
              QStringLiteral("Test de la prévision sur 20 tirages, du ") + m_history[1].left(10) + QStringLiteral(" au ")
                  + m_history[20].left(10));
}

TEST_F(WorkspaceChanceTest, ComparisonFollowsThePerformanceLines)
{
    for (int n : {1, 2, 3})
        m_ws->setCheck(n, true);
    m_ws->performance();
    const QStringList& lines = report().resultat.lines;
    ASSERT_GE(lines.size(), 9);
    EXPECT_EQ(lines[lines.size() - 8], QStringLiteral("Comparaison avec le hasard"));
    // A single number has nothing to compare.
    for (int n : {2, 3})
        m_ws->setCheck(n, false);
    m_ws->performance();
    EXPECT_FALSE(report().resultat.lines.contains(QStringLiteral("Comparaison avec le hasard")));
}
