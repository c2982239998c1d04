// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/CalendarFilterWindow.h"
#include "gui/DialogUi.h"

#include "history/CalendarFilter.h"
#include "history/Formula.h"
#include "support/WindowFixture.h"

#include <QCheckBox>
#include <QDateEdit>
#include <QPushButton>
#include <QTimer>

namespace {

QCheckBox* box(QWidget* window, const char* name)
{
    return window->findChild<QCheckBox*>(QString::fromLatin1(name));
}

TEST(CalendarFilterWindowTest, RoundTripsAndAllBoxesOnlyEverTick)
{
    CalendarFilter in, out;
    in.weekdays[1] = in.weekdays[7] = in.months[2] = in.months[11] = in.times[2] = true;
    in.from = QDate(2020, 1, 1);
    in.to = QDate(2020, 12, 31);
    CalendarFilterWindow window;
    window.load(in);
    window.store(out);
    EXPECT_TRUE(out.weekdays == in.weekdays && out.months == in.months && out.times == in.times && out.from == in.from
                && out.to == in.to);

    const std::array<bool, 8> allDays{false, true, true, true, true, true, true, true};
    box(&window, "Jour0")->click();
    window.store(out);
    EXPECT_EQ(out.weekdays, allDays);
    EXPECT_EQ(out.months, in.months); // the other group is left alone
    // Unticking "Tous les jours" still ticks every day, even one just unticked.
    box(&window, "Check1_4")->click();
    box(&window, "Jour0")->click();
    window.store(out);
    EXPECT_EQ(out.weekdays, allDays);
    box(&window, "tsmois")->click();
    window.store(out);
    EXPECT_EQ(std::count(out.months.begin() + 1, out.months.end(), true), 12);
}

TEST(CalendarFilterWindowTest, ValiderWritesBackCloseAndEscapeCancel)
{
    CalendarFilter filter;
    DialogUi ui;
    // Each time the midday box is ticked, then: Valider, the close box, Escape.
    for (const int answer : {0, 1, 2}) {
        QTimer::singleShot(0, qApp, [answer] {
            QWidget* window = QApplication::activeModalWidget();
            box(window, "CkHeure1")->click();
            if (answer == 0)
                window->findChild<QPushButton*>(QStringLiteral("Ferme"))->click();
            else if (answer == 1)
                window->close();
            else
                TestSupport::press(window, Qt::Key_Escape);
        });
        EXPECT_EQ(ui.editCalendarFilter(filter), answer == 0) << answer;
        EXPECT_TRUE(filter.times[1]) << answer; // a cancel never writes its unticking back
    }
}

// The time boxes of a window: their names and captions, in the window's order.
QStringList timeBoxes(const QWidget& window)
{
    QStringList out;
    for (const QCheckBox* box : window.findChildren<QCheckBox*>())
        if (box->objectName().startsWith(QLatin1String("CkHeure")))
            out << box->objectName() + QLatin1Char('=') + box->text();
    return out;
}

TEST(CalendarFilterWindowTest, EachGameHasABoxPerDrawOfTheDayAndStartsOnItsFirstDay)
{
    const CalendarFilterWindow classic(Formula::classic(), nullptr);
    EXPECT_EQ(timeBoxes(classic), QStringList({QStringLiteral("CkHeure1=13 h 45"), QStringLiteral("CkHeure2=21 h 00")}));

    CalendarFilterWindow current(Formula::current(), nullptr);
    EXPECT_EQ(timeBoxes(current), QStringList({QStringLiteral("CkHeure2=20 h 00")}));
    auto* from = current.findChild<QDateEdit*>(QStringLiteral("DTPDebut"));
    EXPECT_EQ(from->minimumDate(), QDate(2025, 11, 3));

    // The evening box is the filter's evening time; the midday time, which the game has not,
    // is left as it was.
    CalendarFilter in, out;
    in.times[2] = true;
    out.times[1] = true;
    in.from = QDate(2025, 12, 1);
    current.load(in);
    EXPECT_TRUE(box(&current, "CkHeure2")->isChecked());
    box(&current, "CkHeure2")->click();
    current.store(out);
    EXPECT_FALSE(out.times[2]);
    EXPECT_TRUE(out.times[1]);
    EXPECT_EQ(out.from, QDate(2025, 12, 1));
}

} // namespace
