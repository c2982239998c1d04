// The chance commands on the Workspace: what they leave in the report area, the period they
// read, the questions they ask and what they export.
#include "shell/Workspace.h"

#include "support/TestSupport.h"

#include <gtest/gtest.h>

using TestSupport::makeHistory;
using TestSupport::referenceStats;

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
    // The first line of the backtest over draws 1..last.
    QString backtestHead(int last) const
    {
        return QStringLiteral("Test de la prévision sur %1 tirages, du %2 au %3")
            .arg(last)
            .arg(m_history[1].left(10), m_history[last].left(10));
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
    std::array<int, 71> a = referenceStats(m_history, 0, 59).appearances;
    for (int n = 1; n <= 70; ++n)
        EXPECT_TRUE(
            lines[2 + n].startsWith(QString::asprintf("Num  %02d Sorti %04d attendu 17,1 bande ", n, a[static_cast<size_t>(n)])))
            << lines[2 + n].toStdString();

    // A click on item 31: the period is draws 0..30.
    m_ws->clickListe(31);
    m_ws->hasard();
    EXPECT_EQ(report().title, QStringLiteral("Le hasard au ") + m_history[30].left(10));
    EXPECT_EQ(report().resultat.lines[0], QStringLiteral("Le hasard sur 31 tirages"));
    a = referenceStats(m_history, 0, 30).appearances;
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
    EXPECT_EQ(written.mid(0, 2),
              (QStringList{QStringLiteral("Cotes du Keno"),
                           QStringLiteral("Cotes du Keno : 20 numéros tirés sur 70, mise 1 €uro par tirage")}));
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

    const int n = m_history[10].mid(11, 2).toInt(); // a number of draw 10
    const int with = referenceStats(m_history, 0, 59).appearances[static_cast<size_t>(n)];
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
                  .arg(with - referenceStats(m_history, 59, 59).appearances[static_cast<size_t>(n)]));
    expectOneColumn();
    // After a click on draw 11, draw 10 ends the period: the draw it announces is outside, so it
    // does not count.
    m_ws->clickListe(11);
    m_ws->annonceurHasard();
    EXPECT_EQ(report().resultat.lines[1],
              QStringLiteral("Tirages suivant la combinaison dans la période : %1 sur 11")
                  .arg(referenceStats(m_history, 0, 9).appearances[static_cast<size_t>(n)]));
}

TEST_F(WorkspaceChanceTest, BacktestAsksTheSizeAndRefusesOthers)
{
    m_ui.textAnswers.push_back(QStringLiteral("4"));
    m_ws->testerPrevision();
    expectOneColumn();
    EXPECT_EQ(report().title, QStringLiteral("Tester la prévision"));
    EXPECT_EQ(report().resultat.lines.mid(0, 2),
              (QStringList{backtestHead(59),
                           QStringLiteral("Chaque tirage : 4 numéros de la sélection faite sur les seuls tirages précédents")}));
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
    EXPECT_EQ(report().resultat.lines[0], backtestHead(20));
}
