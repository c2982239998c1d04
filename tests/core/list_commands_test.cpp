// SPDX-License-Identifier: GPL-3.0-or-later
// A click on the draw list: the period it studies, the entry fields it fills, the ranking it shows.
#include "shell/ListCommands.h"

#include "support/RankingUnits.h"
#include "support/TestSupport.h"

using namespace TestSupport;

namespace {

class ListCommandsTest : public RankingUnitsTest {
protected:
    // Forty draws from 01/04/2024, two a day; a click studies the ten draws before the line.
    ListCommandsTest()
    {
        m_state.history.setDraws(DrawList::fromLines(m_history));
        m_state.history.setSavedLineCount(10);
    }

    const QStringList m_history = makeHistory(40, QDate(2024, 4, 1));
    ListCommands m_list{m_state.history, m_state.window, m_study, m_criteria, m_area, m_changes, m_rankings};
};

TEST_F(ListCommandsTest, AClickOnADrawStudiesTheDrawsBeforeItAndOffersToCorrectIt)
{
    m_state.history.setEditOldest(true);
    m_list.clickListe(25);
    EXPECT_EQ(m_state.history.selected(), 25);
    EXPECT_FALSE(m_state.history.editingOldest());
    EXPECT_EQ(m_study.period().first, 15);
    EXPECT_EQ(m_study.period().last, 24);
    EXPECT_EQ(m_state.window.counters().prem, m_history[15].left(10));
    EXPECT_EQ(m_state.window.counters().dern, QStringLiteral("13/04/2024"));
    EXPECT_EQ(m_state.window.counters().nb, QStringLiteral("10"));
    // The day after the draw before the line.
    EXPECT_EQ(m_state.window.entry().dat, QStringLiteral("14/04/2024"));
    EXPECT_EQ(m_state.window.entry().info, QStringLiteral("Modifier le tirage"));
    EXPECT_EQ(m_state.window.entry().affichage, QStringLiteral("Tirage Numéro 26"));
    // The ranking by appearances of those ten draws.
    const QStringList lines = rankingLines(RankingKind::Sorties, referenceStats(m_history, 15, 24));
    EXPECT_EQ(m_area.model().title, QStringLiteral("Classement par sorties au 13/04/2024"));
    EXPECT_EQ(m_area.model().resultat.lines.mid(1), lines.mid(0, 35));
}

TEST_F(ListCommandsTest, TheTrailingItemOffersANewDraw)
{
    m_list.clickListe(40);
    EXPECT_EQ(m_state.window.entry().info, QStringLiteral("Ajouter un tirage"));
    EXPECT_EQ(m_state.window.entry().affichage, QStringLiteral("Tirage Numéro 41"));
    EXPECT_EQ(m_state.window.counters().dern, m_history.last().left(10));
    EXPECT_EQ(m_study.period().last, 39);
}

TEST_F(ListCommandsTest, TheFirstLineActsOnTheSecond)
{
    m_list.clickListe(0);
    EXPECT_EQ(m_state.history.selected(), 1);
    EXPECT_EQ(m_study.period().first, 0);
    EXPECT_EQ(m_study.period().last, 0);
    EXPECT_EQ(m_state.window.counters().nb, QStringLiteral("1"));
    EXPECT_EQ(m_state.window.entry().affichage, QStringLiteral("Tirage Numéro 2"));
    EXPECT_EQ(m_area.model().title, QStringLiteral("Classement par sorties au 01/04/2024"));
    // The forecast's number of draws follows the line chosen.
    EXPECT_EQ(m_criteria[CriterionBar::GeneralDraws].maximum, 41);
    EXPECT_EQ(m_criteria[CriterionBar::GeneralDraws].value, 1);
}

TEST_F(ListCommandsTest, AClickOutsideTheListDoesNothing)
{
    m_list.clickListe(25);
    const Counters before = m_state.window.counters();
    for (int index : {-1, 41}) {
        m_list.clickListe(index);
        EXPECT_EQ(m_state.history.selected(), 25) << index;
        EXPECT_EQ(m_state.window.counters().nb, before.nb) << index;
        EXPECT_EQ(m_study.period().last, 24) << index;
    }
}

} // namespace
