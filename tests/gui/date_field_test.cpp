// The date fields of the calendar filter, typed into as a user does.
#include "gui/CalendarFilterWindow.h"

#include <QApplication>
#include <QDateEdit>
#include <QKeyEvent>
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

} // namespace
