// The number grid: counter, OK / Annuler switching, "Tout cocher" and "Repérage".
#include "shell/Workspace.h"

#include "support/TestSupport.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <memory>

void PrintTo(const QString& text, std::ostream* os)
{
    *os << '"' << text.toStdString() << '"';
}

namespace {

QByteArray crlf(const QStringList& lines)
{
    QByteArray bytes;
    for (const QString& line : lines)
        bytes += line.toLatin1() + "\r\n";
    return bytes;
}

class WorkspaceGridTest : public ::testing::Test {
protected:
    QTemporaryDir m_data, m_config;
    TestSupport::ScriptedUi m_ui;
    std::unique_ptr<Workspace> m_ws;

    void SetUp() override
    {
        TestSupport::writeFile(m_data.filePath(QStringLiteral("Tirages_keno.txt")),
                               crlf(TestSupport::makeHistory(40, QDate(2024, 4, 1))));
        WorkspaceConfig config;
        config.dataFolder = m_data.path();
        config.appDataFolder = m_config.path();
        m_ws = std::make_unique<Workspace>(config, &m_ui);
        m_ws->startUp();
    }

    // Every ranked line of both lists is selected exactly when its number's box is ticked.
    void expectSelectionFollowsTicks() const
    {
        for (const ResultList* list : {&m_ws->report().resultat, &m_ws->report().resultat2}) {
            for (int i = 1; i < list->count(); ++i) {
                const int n = list->lines[i].left(2).toInt();
                EXPECT_EQ(list->isSelected(i), m_ws->checks()[static_cast<size_t>(n)]) << list->lines[i].toStdString();
            }
        }
    }
};

} // namespace

TEST_F(WorkspaceGridTest, TwentiethTickEnablesOkAndAnnulerAndTheTwentyFirstDisablesOkOnly)
{
    for (int n = 1; n <= 19; ++n)
        m_ws->setCheck(n, true);
    EXPECT_EQ(m_ws->counters().label2, QStringLiteral("Nombre de numéros"));
    EXPECT_EQ(m_ws->counters().text1, QStringLiteral("19"));
    EXPECT_FALSE(m_ws->okEnabled());
    EXPECT_FALSE(m_ws->annulerEnabled());

    m_ws->setCheck(55, true);
    EXPECT_EQ(m_ws->counters().text1, QStringLiteral("20"));
    EXPECT_TRUE(m_ws->okEnabled());
    EXPECT_TRUE(m_ws->annulerEnabled());

    m_ws->setCheck(70, true);
    EXPECT_EQ(m_ws->counters().text1, QStringLiteral("21"));
    EXPECT_FALSE(m_ws->okEnabled());
    EXPECT_TRUE(m_ws->annulerEnabled());

    m_ws->setCheck(3, false);
    EXPECT_TRUE(m_ws->okEnabled());
    EXPECT_EQ(m_ws->chosenNumbers().size(), 20);
    EXPECT_FALSE(m_ws->chosenNumbers().contains(3));
}

TEST_F(WorkspaceGridTest, ToutCocherTicksSeventyAndLeavesOkDisabled)
{
    m_ws->toutCocher();
    EXPECT_EQ(m_ws->counters().text1, QStringLiteral("70"));
    EXPECT_FALSE(m_ws->okEnabled());
    EXPECT_TRUE(m_ws->annulerEnabled()); // passed through twenty on the way
    QList<int> all;
    for (int n = 1; n <= 70; ++n)
        all << n;
    EXPECT_EQ(m_ws->chosenNumbers(), all);
}

TEST_F(WorkspaceGridTest, SettingABoxToItsCurrentValueChangesNothing)
{
    ASSERT_EQ(m_ws->counters().label2, QStringLiteral("Nombre de tirages : "));
    ASSERT_EQ(m_ws->counters().text1, QStringLiteral("40"));
    int emitted = 0;
    QObject::connect(m_ws.get(), &Workspace::changed, m_ws.get(), [&](unsigned) { ++emitted; });
    m_ws->setCheck(12, false);
    EXPECT_EQ(m_ws->counters().label2, QStringLiteral("Nombre de tirages : "));
    EXPECT_EQ(m_ws->counters().text1, QStringLiteral("40"));
    EXPECT_EQ(emitted, 0);

    m_ws->setCheck(12, true);
    const int afterTick = emitted;
    m_ws->setCheck(12, true);
    EXPECT_EQ(emitted, afterTick);
    EXPECT_EQ(m_ws->counters().text1, QStringLiteral("1"));
}

TEST_F(WorkspaceGridTest, ReperageMarksRankedLinesOfTickedNumbersInBothLists)
{
    ASSERT_EQ(m_ws->report().resultat.count(), 36);
    ASSERT_EQ(m_ws->report().resultat2.count(), 36);
    // Headings read as no number: a selection there must survive.
    m_ws->setResultSelected(1, 0, true);
    m_ws->setResultSelected(2, 0, true);
    // A line selected beforehand whose number is not ticked is deselected.
    m_ws->setResultSelected(1, 4, true);
    m_ws->setResultSelected(2, 30, true);

    for (int n : {7, 12, 40, 65, 1, 70})
        m_ws->setCheck(n, true);
    m_ws->reperage();
    expectSelectionFollowsTicks();
    EXPECT_TRUE(m_ws->report().resultat.isSelected(0));
    EXPECT_TRUE(m_ws->report().resultat2.isSelected(0));
    EXPECT_EQ(m_ws->report().selectedLines().size(), 2 + 6);

    // After another ranking the marks follow the grid again.
    m_ws->setCheck(7, false);
    m_ws->setCheck(33, true);
    m_ws->ecartsMax();
    m_ws->reperage();
    expectSelectionFollowsTicks();
    EXPECT_EQ(m_ws->report().selectedLines().size(), 6);
    EXPECT_FALSE(m_ws->report().resultat.isSelected(0));

    // Nothing to mark in empty lists.
    m_ws->effacer();
    m_ws->reperage();
    EXPECT_EQ(m_ws->report().resultat.count(), 0);
    EXPECT_EQ(m_ws->report().resultat2.count(), 0);
}
