// SPDX-License-Identifier: GPL-3.0-or-later
// "Gérer mes grilles": a ticket added from the grid's ticks and a draw of the day, ended at a
// draw and removed, the file following.
#include "gui/TicketsWindow.h"

#include "chance/TicketsFile.h"
#include "gui/DateField.h"
#include "gui/DrawTimeField.h"
#include "shell/CommandUnits.h"
#include "support/WindowFixture.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QStatusBar>

namespace {

class TicketsWindowTest : public TestSupport::WindowTest { };

template <typename T> T* child(const QWidget* window, const char* name)
{
    return window->findChild<T*>(QString::fromLatin1(name));
}

TEST_F(TicketsWindowTest, AddsTheTickedNumbersAsATicketAndRemovesIt)
{
    writeHistory(TestSupport::makeHistory(40));
    open();
    for (int n : {4, 18, 33})
        m_ws->units().grid.setCheck(n, true);
    get("GererGrilles")->trigger();
    auto* window = m_window->findChild<TicketsWindow*>();
    ASSERT_TRUE(window && window->isVisible());
    auto* list = child<QListWidget>(window, "grilleListe");
    auto* status = child<QLabel>(window, "grilleEtat");
    EXPECT_EQ(child<QLineEdit>(window, "grilleNumeros")->text(), QStringLiteral("4 18 33"));
    EXPECT_EQ(list->count(), 0);

    // Without a name the ticket is refused and nothing is written.
    child<QPushButton>(window, "grilleAjouter")->click();
    EXPECT_EQ(status->text(), QStringLiteral("La grille ne peut pas être enregistrée : la grille n'a pas de nom"));
    EXPECT_FALSE(QFile::exists(path(TicketsFile::kFileName)));

    child<QLineEdit>(window, "grilleNom")->setText(QStringLiteral("Jean"));
    child<QPushButton>(window, "grilleAjouter")->click();
    EXPECT_EQ(status->text(), QStringLiteral("La grille « Jean » est enregistrée."));
    const TicketsFile kept = TicketsFile::read(path(TicketsFile::kFileName));
    ASSERT_EQ(kept.tickets.size(), 1u);
    EXPECT_EQ(kept.tickets[0].numbers, (std::vector<int>{4, 18, 33}));
    EXPECT_EQ(kept.tickets[0].formula, FormulaId::Keno20of70);
    ASSERT_EQ(list->count(), 1);

    list->setCurrentRow(0);
    child<QPushButton>(window, "grilleSupprimer")->click();
    EXPECT_EQ(status->text(), QStringLiteral("La grille « Jean » est supprimée."));
    EXPECT_TRUE(TicketsFile::read(path(TicketsFile::kFileName)).tickets.empty());
    EXPECT_EQ(list->count(), 0);
}

// In the classic game the first draw and the last are chosen among midday and evening; the
// list says both.
TEST_F(TicketsWindowTest, AddsATicketFromAnEveningDrawAndEndsItAtADraw)
{
    writeHistory(TestSupport::makeHistory(8, QDate(2020, 1, 1))); // 01/01/2020 midi … 04/01/2020 soir
    open();
    for (int n : {4, 18, 33})
        m_ws->units().grid.setCheck(n, true);
    get("GererGrilles")->trigger();
    auto* window = m_window->findChild<TicketsWindow*>();
    ASSERT_TRUE(window);
    auto* fromSlot = child<QComboBox>(window, "grilleDepuisTirage");
    ASSERT_TRUE(fromSlot && fromSlot->isVisible());
    EXPECT_EQ(fromSlot->count(), Formula::classic().slotCount());
    // The last draw offered is the history's newest.
    EXPECT_EQ(child<DateField>(window, "grilleJusquau")->date(), QDate(2020, 1, 4));
    EXPECT_EQ(child<QComboBox>(window, "grilleJusquauTirage")->currentIndex(), 1);

    child<QLineEdit>(window, "grilleNom")->setText(QStringLiteral("Jean"));
    child<DateField>(window, "grilleDepuis")->setDate(QDate(2020, 1, 1));
    fromSlot->setCurrentIndex(1);
    child<QPushButton>(window, "grilleAjouter")->click();
    auto* status = child<QLabel>(window, "grilleEtat");
    ASSERT_EQ(status->text(), QStringLiteral("La grille « Jean » est enregistrée."));
    EXPECT_TRUE(TestSupport::readFile(path(TicketsFile::kFileName)).contains("Jean;20-70;4,18,33;1;;01/01/2020 soir;\n"));

    // Ending needs a ticket chosen, and a draw not before its first.
    child<QPushButton>(window, "grilleTerminer")->click();
    EXPECT_EQ(status->text(), QStringLiteral("Choisissez d'abord la grille à terminer."));
    auto* list = child<QListWidget>(window, "grilleListe");
    list->setCurrentRow(0);
    child<DateField>(window, "grilleJusquau")->setDate(QDate(2020, 1, 1));
    child<QComboBox>(window, "grilleJusquauTirage")->setCurrentIndex(0);
    child<QPushButton>(window, "grilleTerminer")->click();
    EXPECT_TRUE(TestSupport::startsWith(status->text(),
                                        QStringLiteral("La grille « Jean » ne peut pas finir au tirage du "
                                                       "01/01/2020 midi")))
        << status->text().toStdString();
    list->setCurrentRow(0);
    child<DateField>(window, "grilleJusquau")->setDate(QDate(2020, 1, 2));
    child<QPushButton>(window, "grilleTerminer")->click();
    EXPECT_EQ(status->text(), QStringLiteral("La grille « Jean » est jouée jusqu'au tirage du 02/01/2020 midi."));
    EXPECT_TRUE(
        TestSupport::readFile(path(TicketsFile::kFileName)).contains("Jean;20-70;4,18,33;1;;01/01/2020 soir;02/01/2020 midi\n"));
    ASSERT_EQ(list->count(), 1);
    EXPECT_TRUE(list->item(0)->text().endsWith(QStringLiteral("depuis le 01/01/2020 soir, jusqu'au 02/01/2020 midi")))
        << list->item(0)->text().toStdString();
}

// A game drawn once a day offers no draw to choose.
TEST(DrawTimeFieldTest, OffersTheDrawsOfTheDayOnlyForAGameOfSeveral)
{
    DrawTimeField field(QStringLiteral("champ"));
    field.show();
    auto* slot = field.findChild<QComboBox*>(QStringLiteral("champTirage"));
    ASSERT_TRUE(slot);
    field.setGame(Formula::classic(), DrawTime{QDate(2020, 1, 1), 1});
    EXPECT_TRUE(slot->isVisible());
    EXPECT_EQ(field.time().key(), (DrawTime{QDate(2020, 1, 1), 1}).key());
    field.setGame(Formula::current(), DrawTime{QDate(2025, 11, 14), 0});
    EXPECT_FALSE(slot->isVisible());
    EXPECT_EQ(field.time().key(), (DrawTime{QDate(2025, 11, 14), 0}).key());
}

// Wherever the window manager first puts the window, it ends inside the screen once shown.
TEST_F(TicketsWindowTest, TheWindowLiesInsideTheScreenOnceShown)
{
    writeHistory(TestSupport::makeHistory(40));
    open();
    get("GererGrilles")->trigger();
    auto* window = m_window->findChild<TicketsWindow*>();
    ASSERT_TRUE(window && window->isVisible());
    const QRect area = window->screen()->availableGeometry();
    window->hide();
    window->move(area.left() + 10, area.bottom() - window->frameGeometry().height() / 2);
    ASSERT_FALSE(area.contains(window->frameGeometry()));
    get("GererGrilles")->trigger();
    EXPECT_TRUE(TestSupport::waitFor([&] { return area.contains(window->frameGeometry()); }))
        << window->frameGeometry().bottom() << " " << area.bottom();
}

// A draw typed in the window that a ticket wins on: the status bar says it, as the box does.
TEST_F(TicketsWindowTest, AWinOnADrawTypedInIsToldInTheStatusBar)
{
    writeHistory(TestSupport::makeHistory(40));
    TestSupport::writeFile(path(TicketsFile::kFileName), "Jean;20-70;1,2,3,4,5;1;;16/09/1993;\n");
    open();
    m_ui.messages.clear();
    m_ws->units().list.clickListe(m_ws->liste().itemCount() - 1);
    for (int n = 1; n <= Formula::classic().drawn; ++n)
        m_ws->units().grid.setCheck(n, true);
    get<QPushButton>("OK")->click();
    const QString told = m_window->statusBar()->currentMessage();
    EXPECT_TRUE(TestSupport::startsWith(told, QStringLiteral("La grille « Jean » a gagné 100 € au tirage du ")));
    ASSERT_FALSE(m_ui.messages.empty());
    EXPECT_EQ(m_ui.messages.back().text, told);
}

} // namespace
