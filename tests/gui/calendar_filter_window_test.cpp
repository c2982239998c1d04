#include "gui/CalendarFilterWindow.h"

#include "gui/DialogUi.h"
#include "gui/MainWindow.h"
#include "gui/WidgetTestHelpers.h"
#include "history/CalendarFilter.h"
#include "history/HistoryFile.h"
#include "shell/Workspace.h"
#include "support/TestSupport.h"

#include <QAction>
#include <QCheckBox>
#include <QDateEdit>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

#include <functional>

namespace {

QCheckBox* box(QWidget* window, const QString& name)
{
    auto* found = window->findChild<QCheckBox*>(name);
    EXPECT_NE(found, nullptr) << name.toStdString();
    return found;
}

// Runs `act` on the filter window once it is shown modally.
void whenWindowShows(const std::function<void(CalendarFilterWindow*)>& act)
{
    QTimer::singleShot(0, qApp, [act] {
        auto* window = qobject_cast<CalendarFilterWindow*>(QApplication::activeModalWidget());
        ASSERT_NE(window, nullptr);
        act(window);
    });
}

TEST(CalendarFilterWindowTest, TextsAndNames)
{
    CalendarFilterWindow window;
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Jours sélectionnés"));
    const QStringList days = {QStringLiteral("Dimanche"), QStringLiteral("Lundi"),    QStringLiteral("Mardi"), QStringLiteral("Mercredi"),
                              QStringLiteral("Jeudi"),    QStringLiteral("Vendredi"), QStringLiteral("Samedi")};
    for (int d = 1; d <= 7; ++d) {
        QCheckBox* b = box(&window, QStringLiteral("Check1_%1").arg(d));
        EXPECT_EQ(b->text(), days[d - 1]);
        EXPECT_EQ(b->toolTip(), QStringLiteral("Choisissez au moins 1 jours"));
    }
    EXPECT_EQ(box(&window, QStringLiteral("Mois2"))->text(), QStringLiteral("Fevrier"));
    EXPECT_EQ(box(&window, QStringLiteral("Mois8"))->text(), QStringLiteral("Aout"));
    EXPECT_EQ(box(&window, QStringLiteral("Mois12"))->text(), QStringLiteral("Decembre"));
    EXPECT_EQ(box(&window, QStringLiteral("Mois12"))->toolTip(), QStringLiteral("Choisissez au moins 1 mois"));
    EXPECT_EQ(box(&window, QStringLiteral("CkHeure1"))->text(), QStringLiteral("13 h 45"));
    EXPECT_EQ(box(&window, QStringLiteral("CkHeure2"))->text(), QStringLiteral("21 h 00"));
    EXPECT_EQ(box(&window, QStringLiteral("CkHeure2"))->toolTip(), QStringLiteral("Choisissez au moins 1 heure"));
    EXPECT_EQ(box(&window, QStringLiteral("Jour0"))->text(), QStringLiteral("Tous les jours"));
    EXPECT_EQ(box(&window, QStringLiteral("tsmois"))->text(), QStringLiteral("Tous les mois"));
    EXPECT_EQ(window.findChild<QPushButton*>(QStringLiteral("Ferme"))->text(), QStringLiteral("Valider"));
    auto* from = window.findChild<QDateEdit*>(QStringLiteral("DTPDebut"));
    ASSERT_NE(from, nullptr);
    EXPECT_EQ(from->minimumDate(), QDate(1993, 9, 16));
    EXPECT_TRUE(from->calendarPopup());
    EXPECT_EQ(from->toolTip(), QStringLiteral("Date de debut des calculs "));
    EXPECT_EQ(window.findChild<QDateEdit*>(QStringLiteral("DTPFin"))->toolTip(), QStringLiteral("Date de fin des calculs"));
    EXPECT_EQ(window.findChild<QLabel*>(QStringLiteral("Label3"))->text(),
              QStringLiteral("Il faut cocher au moins un mois, une journée et une heure pour calculer les sorties et ecarts"));
}

TEST(CalendarFilterWindowTest, AllDaysAndAllMonthsTickWhateverTheirState)
{
    CalendarFilterWindow window;
    CalendarFilter filter;
    filter.weekdays[3] = true;
    filter.months[5] = true;
    window.load(filter);

    QCheckBox* allDays = box(&window, QStringLiteral("Jour0"));
    allDays->click();  // ticked: all seven
    CalendarFilter out;
    window.store(out);
    for (int d = 1; d <= 7; ++d)
        EXPECT_TRUE(out.weekdays[d]) << d;
    EXPECT_EQ(std::count(out.months.begin(), out.months.end(), true), 1);

    // A click that unticks "Tous les jours" still ticks every day: it never unticks any.
    box(&window, QStringLiteral("Check1_4"))->click();
    allDays->click();
    EXPECT_FALSE(allDays->isChecked());
    window.store(out);
    for (int d = 1; d <= 7; ++d)
        EXPECT_TRUE(out.weekdays[d]) << d;

    box(&window, QStringLiteral("tsmois"))->click();
    window.store(out);
    for (int m = 1; m <= 12; ++m)
        EXPECT_TRUE(out.months[m]) << m;
}

TEST(CalendarFilterWindowTest, LoadAndStoreKeepEveryBoxAndDate)
{
    CalendarFilter filter;
    filter.weekdays[1] = filter.weekdays[7] = true;
    filter.months[2] = filter.months[11] = true;
    filter.times[2] = true;
    filter.from = QDate(2020, 1, 1);
    filter.to = QDate(2020, 12, 31);
    CalendarFilterWindow window;
    window.load(filter);
    EXPECT_TRUE(box(&window, QStringLiteral("Check1_7"))->isChecked());
    EXPECT_FALSE(box(&window, QStringLiteral("Check1_2"))->isChecked());
    EXPECT_TRUE(box(&window, QStringLiteral("Mois11"))->isChecked());
    EXPECT_FALSE(box(&window, QStringLiteral("CkHeure1"))->isChecked());
    EXPECT_FALSE(box(&window, QStringLiteral("Jour0"))->isChecked());

    CalendarFilter out;
    window.store(out);
    EXPECT_EQ(out.weekdays, filter.weekdays);
    EXPECT_EQ(out.months, filter.months);
    EXPECT_EQ(out.times, filter.times);
    EXPECT_EQ(out.from, filter.from);
    EXPECT_EQ(out.to, filter.to);
}

TEST(CalendarFilterWindowTest, ValiderWritesBackAndClosingCancels)
{
    CalendarFilter filter;
    filter.to = QDate(2024, 5, 1);
    whenWindowShows([](CalendarFilterWindow* window) {
        box(window, QStringLiteral("CkHeure1"))->click();
        box(window, QStringLiteral("Mois3"))->click();
        window->findChild<QPushButton*>(QStringLiteral("Ferme"))->click();
    });
    ASSERT_TRUE(CalendarFilterWindow::edit(filter, nullptr));
    EXPECT_TRUE(filter.times[1]);
    EXPECT_TRUE(filter.months[3]);
    EXPECT_EQ(filter.to, QDate(2024, 5, 1));

    const CalendarFilter before = filter;
    whenWindowShows([](CalendarFilterWindow* window) {
        box(window, QStringLiteral("CkHeure2"))->click();
        window->close();  // the close box
    });
    EXPECT_FALSE(CalendarFilterWindow::edit(filter, nullptr));
    EXPECT_EQ(filter.times, before.times);

    whenWindowShows([](CalendarFilterWindow* window) { WidgetTest::pressKey(window, Qt::Key_Escape); });
    EXPECT_FALSE(CalendarFilterWindow::edit(filter, nullptr));

    // Enter validates: "Valider" is the default button.
    whenWindowShows([](CalendarFilterWindow* window) { WidgetTest::pressKey(window, Qt::Key_Return); });
    EXPECT_TRUE(CalendarFilterWindow::edit(filter, nullptr));
}

// "Periode d'etude" from the menu, answered in the real window.
TEST(CalendarFilterWindowTest, StudyPeriodFiltersTheDrawList)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QStringList history = TestSupport::makeHistory(60, QDate(1993, 9, 16));  // 30 days
    QString error;
    ASSERT_TRUE(HistoryFile::write(dir.filePath(QStringLiteral("Tirages_keno.txt")), history, &error));
    ASSERT_TRUE(HistoryFile::write(dir.filePath(QStringLiteral("Tirages.txt")), history, &error));
    WorkspaceConfig config;
    config.dataFolder = dir.path();
    config.appDataFolder = dir.filePath(QStringLiteral("config"));
    DialogUi ui;
    Workspace ws(config, &ui);
    MainWindow window(ws);
    ui.setParentWidget(&window);
    window.show();
    ws.startUp();

    // Keep the Sunday draws only, both times, every month.
    whenWindowShows([](CalendarFilterWindow* filterWindow) {
        for (int d = 1; d <= 7; ++d) {
            QCheckBox* day = box(filterWindow, QStringLiteral("Check1_%1").arg(d));
            if (day->isChecked() != (d == 1))
                day->click();
        }
        box(filterWindow, QStringLiteral("tsmois"))->click();
        for (const char* name : {"CkHeure1", "CkHeure2"})
            if (!box(filterWindow, QString::fromLatin1(name))->isChecked())
                box(filterWindow, QString::fromLatin1(name))->click();
        filterWindow->findChild<QPushButton*>(QStringLiteral("Ferme"))->click();
    });
    window.findChild<QAction*>(QStringLiteral("finP"))->trigger();

    QStringList sundays;
    for (const QString& line : history)
        if (QDate::fromString(line.left(10), QStringLiteral("dd/MM/yyyy")).dayOfWeek() == Qt::Sunday)
            sundays << line;
    ASSERT_FALSE(sundays.isEmpty());
    auto* liste = window.findChild<QListWidget*>(QStringLiteral("Liste"));
    ASSERT_EQ(liste->count(), sundays.size() + 1);
    for (int i = 0; i < sundays.size(); ++i)
        EXPECT_EQ(liste->item(i)->text(), sundays[i]);
    EXPECT_EQ(liste->currentRow(), sundays.size());

    // Closing the filter window reloads the whole history.
    whenWindowShows([](CalendarFilterWindow* filterWindow) { filterWindow->close(); });
    window.findChild<QAction*>(QStringLiteral("finP"))->trigger();
    EXPECT_EQ(liste->count(), history.size() + 1);
}

} // namespace
