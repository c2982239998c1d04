// SPDX-License-Identifier: GPL-3.0-or-later
// "Table des gains": the pay table in force of the game played, edited from the menu.
#include "gui/PayTableWindow.h"

#include "shell/Settings.h"
#include "support/WindowFixture.h"

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>

namespace {

class PayTableWindowTest : public TestSupport::WindowTest {
protected:
    // The window the menu row opens.
    PayTableWindow* openTable()
    {
        // A window closed before is gone first: each opening builds a fresh one.
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        get("mnuGains")->trigger();
        auto* window = m_window->findChild<PayTableWindow*>();
        EXPECT_TRUE(window && window->isVisible());
        return window;
    }
    static QTableWidgetItem* cell(PayTableWindow* window, int ticked, int matched)
    {
        return window->cells()->item(window->rowOf(ticked), matched);
    }
    static void click(PayTableWindow* window, const char* button)
    {
        window->findChild<QPushButton*>(QString::fromLatin1(button))->click();
    }
    QString settingsFile() const { return Settings::iniPath(m_config.appDataFolder); }
};

TEST_F(PayTableWindowTest, AnEditedCellIsPutInForceAndKeptForTheNextStart)
{
    writeHistory(TestSupport::makeHistory(40));
    open();
    PayTableWindow* window = openTable();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->cells()->rowCount(), 10);
    EXPECT_EQ(cell(window, 3, 2)->text(), QStringLiteral("2"));
    EXPECT_EQ(cell(window, 10, 10)->text(), QStringLiteral("200000"));
    // Four found out of three ticked is no cell one can type in.
    EXPECT_FALSE(cell(window, 3, 4)->flags() & Qt::ItemIsEditable);
    EXPECT_TRUE(cell(window, 3, 3)->flags() & Qt::ItemIsEditable);

    cell(window, 3, 2)->setText(QStringLiteral("3"));
    cell(window, 5, 0)->setText(QStringLiteral("inconnu"));
    click(window, "ok");
    EXPECT_FALSE(window->isVisible());
    const PayTable& inForce = m_ws->payTables().of(FormulaId::Keno20of70);
    EXPECT_EQ(inForce.amount(3, 2), 3);
    EXPECT_EQ(inForce.amount(5, 0), std::nullopt);
    EXPECT_EQ(inForce.amount(3, 3), 10);

    open(); // a new start reads the correction back
    EXPECT_EQ(m_ws->payTables().of(FormulaId::Keno20of70).amount(3, 2), 3);
    window = openTable();
    EXPECT_EQ(cell(window, 5, 0)->text(), QStringLiteral("inconnu"));
    // Back to the shipped table, but Annuler keeps nothing.
    click(window, "retablir");
    EXPECT_EQ(cell(window, 3, 2)->text(), QStringLiteral("2"));
    click(window, "annuler");
    EXPECT_EQ(m_ws->payTables().of(FormulaId::Keno20of70).amount(3, 2), 3);
    window = openTable();
    click(window, "retablir");
    click(window, "ok");
    EXPECT_TRUE(m_ws->payTables().isShipped(FormulaId::Keno20of70));
    EXPECT_TRUE(Settings(settingsFile(), false).payTables().isShipped(FormulaId::Keno20of70));
}

TEST_F(PayTableWindowTest, UnknownAmountsShowAsUnknownAndABadCellIsRefused)
{
    m_config.formula = FormulaId::Keno16of56;
    open();
    m_ui.messages.clear();
    PayTableWindow* window = openTable();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->cells()->rowCount(), 7);
    EXPECT_EQ(cell(window, 7, 6)->text(), QStringLiteral("90"));
    for (int m = 0; m <= 4; ++m)
        EXPECT_EQ(cell(window, 7, m)->text(), QStringLiteral("inconnu")) << m;
    EXPECT_EQ(cell(window, 4, 0)->text(), QStringLiteral("inconnu"));
    bool provisional = false;
    for (const QLabel* label : window->findChildren<QLabel*>())
        provisional = provisional || label->text().contains(QStringLiteral("provisoires"));
    EXPECT_TRUE(provisional);

    cell(window, 4, 4)->setText(QStringLiteral("25"));
    cell(window, 6, 6)->setText(QStringLiteral("1 000"));
    click(window, "ok");
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(window->cells()->currentItem(), cell(window, 6, 6));
    EXPECT_TRUE(
        window->findChild<QLabel*>(QStringLiteral("erreur"))->text().startsWith(QStringLiteral("« 1 000 » (6 trouvés sur 6")));
    EXPECT_TRUE(m_ws->payTables().isShipped(FormulaId::Keno16of56));

    // The settings cannot be written: the table serves anyway, and the window says why.
    ASSERT_TRUE(QFile::remove(settingsFile()));
    ASSERT_TRUE(QDir().mkpath(settingsFile()));
    cell(window, 6, 6)->setText(QStringLiteral("1000"));
    click(window, "ok");
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(m_ws->payTables().of(FormulaId::Keno16of56).amount(6, 6), 1000);
    EXPECT_EQ(m_ws->payTables().of(FormulaId::Keno16of56).amount(4, 4), 25);
    ASSERT_EQ(m_ui.messages.size(), 1u);
    EXPECT_TRUE(m_ui.messages[0].text.contains(QStringLiteral("sert jusqu'à la fermeture du programme")));
}

} // namespace
