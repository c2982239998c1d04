// SPDX-License-Identifier: GPL-3.0-or-later
// The date fields of the calendar filter, typed into as a user does.
#include "gui/CalendarFilterWindow.h"

#include "support/WindowFixture.h"

#include <QDateEdit>

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

TEST(DateFieldTest, AWholeTypedDateGivesThatDate)
{
    CalendarFilterWindow window;
    window.show();
    auto* from = window.findChild<QDateEdit*>(QStringLiteral("DTPDebut"));
    ASSERT_NE(from, nullptr);
    from->setFocus();
    ASSERT_EQ(from->date(), QDate(1993, 9, 16));

    // Separators left out, a single digit before a separator, a date before the first draw (the earliest date).
    for (const auto& [typed, date] : {std::pair("01/01/2020", QDate(2020, 1, 1)), std::pair("31/12/2021", QDate(2021, 12, 31)),
                                      std::pair("15032019", QDate(2019, 3, 15)), std::pair("1/2/2020", QDate(2020, 2, 1)),
                                      std::pair("01/01/1990", QDate(1993, 9, 16))}) {
        typeInto(from, QString::fromLatin1(typed));
        EXPECT_EQ(from->date(), date) << typed;
        EXPECT_EQ(from->text(), date.toString(QStringLiteral("dd/MM/yyyy"))) << typed;
    }

    // An unfinished date is dropped: Escape, or leaving the field.
    from->setDate(QDate(2020, 6, 10));
    typeInto(from, QStringLiteral("01/0"));
    TestSupport::press(from, Qt::Key_Escape);
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
    TestSupport::press(from, Qt::Key_Up);
    EXPECT_EQ(from->date(), QDate(2021, 6, 10));
}

} // namespace
