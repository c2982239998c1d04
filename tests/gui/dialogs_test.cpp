#include "gui/CalendarFilterWindow.h"
#include "gui/ConnectionCheck.h"
#include "gui/DialogUi.h"
#include "gui/GuiApp.h"
#include "gui/WaitCursor.h"

#include <QApplication>
#include <QDateEdit>
#include <QInputDialog>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

void typeInto(QWidget* widget, const QString& text)
{
    for (const QChar c : text) {
        const int key = c.isDigit() ? Qt::Key_0 + c.digitValue() : (c == u'/' ? Qt::Key_Slash : Qt::Key_Space);
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, QString(c));
        QApplication::sendEvent(widget, &press);
        QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, QString(c));
        QApplication::sendEvent(widget, &release);
    }
}

void pressKey(QWidget* widget, Qt::Key key)
{
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
    QApplication::sendEvent(widget, &press);
}

TEST(DateFieldTest, AWholeTypedDateGivesThatDate)
{
    CalendarFilterWindow window;
    window.show();
    auto* from = window.findChild<QDateEdit*>(QStringLiteral("DTPDebut"));
    ASSERT_NE(from, nullptr);
    from->setFocus();
    ASSERT_EQ(from->date(), QDate(1993, 9, 16));

    typeInto(from, QStringLiteral("01/01/2020"));
    EXPECT_EQ(from->date(), QDate(2020, 1, 1));
    typeInto(from, QStringLiteral("31/12/2021"));
    EXPECT_EQ(from->date(), QDate(2021, 12, 31));
    typeInto(from, QStringLiteral("15032019")); // separators left out
    EXPECT_EQ(from->date(), QDate(2019, 3, 15));
    typeInto(from, QStringLiteral("1/2/2020")); // a single digit before a separator
    EXPECT_EQ(from->date(), QDate(2020, 2, 1));
    EXPECT_EQ(from->text(), QStringLiteral("01/02/2020"));
    typeInto(from, QStringLiteral("01/01/1990")); // before the first draw: the earliest date
    EXPECT_EQ(from->date(), QDate(1993, 9, 16));

    // An unfinished date is dropped: Escape, or leaving the field.
    from->setDate(QDate(2020, 6, 10));
    typeInto(from, QStringLiteral("01/0"));
    pressKey(from, Qt::Key_Escape);
    EXPECT_EQ(from->date(), QDate(2020, 6, 10));
    EXPECT_EQ(from->text(), QStringLiteral("10/06/2020"));
    typeInto(from, QStringLiteral("0"));
    QFocusEvent leave(QEvent::FocusOut, Qt::TabFocusReason); // offscreen windows are never active
    QApplication::sendEvent(from, &leave);
    auto* to = window.findChild<QDateEdit*>(QStringLiteral("DTPFin"));
    EXPECT_EQ(from->date(), QDate(2020, 6, 10));
    EXPECT_EQ(from->text(), QStringLiteral("10/06/2020"));
    // An impossible date changes nothing.
    typeInto(to, QStringLiteral("31/02/2020"));
    EXPECT_EQ(to->date(), QDate::currentDate());
    // The arrow keys still step the date.
    from->setFocus();
    from->setSelectedSection(QDateTimeEdit::YearSection);
    pressKey(from, Qt::Key_Up);
    EXPECT_EQ(from->date(), QDate(2021, 6, 10));
}

TEST(GuiAppSetUpTest, StandardButtonsReadInFrench)
{
    GuiApp::setUpApplication();
    GuiApp::setUpApplication(); // once is enough; twice changes nothing
    QMessageBox box(QMessageBox::Question, QStringLiteral("Tiravol"), QStringLiteral("?"),
                    QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    EXPECT_EQ(box.button(QMessageBox::Yes)->text(), QStringLiteral("&Oui"));
    EXPECT_EQ(box.button(QMessageBox::No)->text(), QStringLiteral("&Non"));
    EXPECT_EQ(box.button(QMessageBox::Cancel)->text(), QStringLiteral("Annuler"));
}

TEST(DialogUiTest, TheAddressBoxShowsTheWholeAddress)
{
    const QString address = QStringLiteral("https://www.exemple-de-jeux.example.com/generated/game/keno/keno_gagnant_a_vie.zip");
    DialogUi ui;
    bool checked = false;
    QTimer::singleShot(0, qApp, [&] {
        auto* dialog = qobject_cast<QInputDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Telechargement echoué vérifiez l'adresse"));
        EXPECT_EQ(dialog->labelText(), QStringLiteral("Sur le site FDesJeux"));
        auto* edit = dialog->findChild<QLineEdit*>();
        ASSERT_NE(edit, nullptr);
        EXPECT_EQ(edit->text(), address);
        EXPECT_GE(edit->width(), edit->fontMetrics().horizontalAdvance(address)) << edit->width();
        checked = true;
        edit->setText(address + QStringLiteral("2"));
        dialog->accept();
    });
    const auto answer
        = ui.askText(QStringLiteral("Telechargement echoué vérifiez l'adresse"), QStringLiteral("Sur le site FDesJeux"), address);
    EXPECT_TRUE(checked);
    EXPECT_EQ(answer.value_or(QString()), address + QStringLiteral("2"));

    QTimer::singleShot(0, qApp, [] { QApplication::activeModalWidget()->close(); });
    EXPECT_FALSE(ui.askText(QStringLiteral("t"), QStringLiteral("p"), address).has_value());
}

TEST(ConnectionCheckTest, OnLineOnlyWithAnInterfaceUpBeyondItsOwnLink)
{
    using I = ConnectionCheck::Interface;
    const I loopback{true, true, true, 1};
    const I cableUnplugged{true, false, false, 1};
    const I down{false, false, false, 1};
    const I linkLocalOnly{true, true, false, 0};
    const I connected{true, true, false, 1};
    EXPECT_FALSE(ConnectionCheck::mayBeOnline({}, false));
    EXPECT_FALSE(ConnectionCheck::mayBeOnline({loopback, cableUnplugged, down, linkLocalOnly}, false));
    EXPECT_TRUE(ConnectionCheck::mayBeOnline({loopback, connected}, false));
    EXPECT_FALSE(ConnectionCheck::mayBeOnline({loopback, connected}, true)); // the backend knows better
}

TEST(WaitCursorTest, ShownOnceAndAlwaysTakenBack)
{
    ASSERT_EQ(QGuiApplication::overrideCursor(), nullptr);
    {
        WaitCursor cursor;
        cursor.show(true);
        cursor.show(true);
        ASSERT_NE(QGuiApplication::overrideCursor(), nullptr);
        EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor);
        cursor.show(false);
        EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr); // one restore undoes both
        cursor.show(false);
        EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
        cursor.show(true);
    }
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr); // gone with its owner
}

TEST(DialogUiTest, QuestionsShowTheArrowOverAnHourglass)
{
    DialogUi ui;
    WaitCursor hourglass;
    hourglass.show(true);
    Qt::CursorShape during = Qt::BlankCursor;
    QTimer::singleShot(0, qApp, [&] {
        during = QGuiApplication::overrideCursor()->shape();
        QApplication::activeModalWidget()->close();
    });
    ui.message(QStringLiteral("Vous n'etes pas connecté à Internet"), QStringLiteral("Tiravol"));
    EXPECT_EQ(during, Qt::ArrowCursor);
    ASSERT_NE(QGuiApplication::overrideCursor(), nullptr);
    EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor);
    hourglass.show(false);
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);

    // Without an hourglass nothing is pushed.
    QTimer::singleShot(0, qApp, [&] {
        EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
        QApplication::activeModalWidget()->close();
    });
    EXPECT_FALSE(ui.confirm(QStringLiteral("?"), QStringLiteral("Tiravol")));
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

} // namespace
