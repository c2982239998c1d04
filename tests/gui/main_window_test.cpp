#include "gui/CalendarFilterWindow.h"
#include "gui/DialogUi.h"
#include "gui/GuiApp.h"
#include "gui/MainWindow.h"

#include "acquire/ArchiveSource.h"
#include "history/CalendarFilter.h"
#include "history/DrawLine.h"
#include "history/HistoryFile.h"
#include "shell/Workspace.h"
#include "support/TestSupport.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QEventLoop>
#include <QKeyEvent>
#include <QLabel>
#include <QListView>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

constexpr int kDraws = 200;

// Real mouse events, so the list's own click and double-click signals fire.
void mouseOnRow(QListView* list, int row, bool doubleClick = false)
{
    const QModelIndex index = list->model()->index(row, 0);
    list->scrollTo(index);
    const QPointF pos = list->visualRect(index).center();
    const QEvent::Type types[]
        = {QEvent::MouseButtonPress, QEvent::MouseButtonRelease, QEvent::MouseButtonDblClick, QEvent::MouseButtonRelease};
    for (int i = 0; i < (doubleClick ? 4 : 2); ++i) {
        const Qt::MouseButtons held = types[i] == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
        QMouseEvent event(types[i], pos, list->viewport()->mapToGlobal(pos), Qt::LeftButton, held, Qt::NoModifier);
        QApplication::sendEvent(list->viewport(), &event);
    }
}

QStringList rows(const QListWidget* list)
{
    QStringList lines;
    for (int i = 0; i < list->count(); ++i)
        lines << list->item(i)->text();
    return lines;
}

QString rowText(const QListView* list, int row)
{
    return list->model()->index(row, 0).data().toString();
}

// Waits in an event loop, as the network source does, until quit (or 5 s: never hang).
struct WaitingSource : ArchiveSource {
    std::function<void()> whileWaiting;
    QEventLoop loop;
    bool fetch(const QString&, const QString&, const Progress& progress, QString* error) override
    {
        progress(0, -1);
        QTimer::singleShot(0, &loop, whileWaiting);
        QTimer::singleShot(5000, &loop, &QEventLoop::quit);
        loop.exec();
        *error = QStringLiteral("Téléchargement interrompu");
        return false;
    }
};

class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        QString error;
        for (const QString& name : {working(), m_dir.filePath(QStringLiteral("Tirages.txt"))})
            ASSERT_TRUE(HistoryFile::write(name, m_history, &error)) << error.toStdString();
        WorkspaceConfig config;
        config.dataFolder = m_dir.path();
        config.appDataFolder = m_dir.filePath(QStringLiteral("config"));
        m_ws = std::make_unique<Workspace>(config, &m_ui);
        m_window = std::make_unique<MainWindow>(*m_ws, m_ui);
        m_window->show();
        m_window->startUp();
    }

    QString working() const { return m_dir.filePath(QStringLiteral("Tirages_keno.txt")); }
    template <typename T> T* get(const char* name) const { return m_window->findChild<T*>(QString::fromLatin1(name)); }
    QCheckBox* box(int n) const { return m_window->findChild<QCheckBox*>(QStringLiteral("Check%1").arg(n)); }
    QString title() const { return get<QLabel>("lblAff")->text(); }
    qsizetype ticked() const
    {
        const auto boxes = m_window->findChildren<QCheckBox*>();
        return std::count_if(boxes.begin(), boxes.end(), [](const QCheckBox* b) { return b->isChecked(); });
    }

    QTemporaryDir m_dir;
    QStringList m_history = TestSupport::makeHistory(kDraws);
    TestSupport::ScriptedUi m_ui;
    std::unique_ptr<Workspace> m_ws; // declared before the window: destroyed after it
    std::unique_ptr<MainWindow> m_window;
};

TEST_F(MainWindowTest, StartUpRankingMenusAndDownloadAvailability)
{
    const QString lastDate = m_history.last().left(10);
    EXPECT_EQ(title(), QStringLiteral("Classement par sorties au ") + lastDate);
    EXPECT_EQ(rows(get<QListWidget>("Resultat")), m_ws->report().resultat.lines);
    EXPECT_EQ(rows(get<QListWidget>("Resultat2")), m_ws->report().resultat2.lines);
    EXPECT_FALSE(m_ws->report().resultat.lines.isEmpty());

    QStringList commands;
    for (const QAction* menu : m_window->menuBar()->actions())
        for (const QAction* action : menu->menu()->actions())
            if (!action->isSeparator())
                commands << action->objectName() + QLatin1Char('=') + action->text();
    commands.sort();
    EXPECT_EQ(commands.join(QLatin1Char(' ')),
              QStringLiteral("Debut=Tous les tirages EMaxi=Ecarts Max Ecarts=Ecarts Fin=&Quitter Numero=Numéro Sorties=Sorties "
                             "Telecharge=Telechargement FDesJeux finP=Periode d'etude mnuCharge=Charge Manuelle tc=Tout cocher"));

    get<QAction>("Numero")->trigger();
    EXPECT_EQ(title(), QStringLiteral("Classement par numéros au ") + lastDate);
    EXPECT_EQ(rows(get<QListWidget>("Resultat")), m_ws->report().resultat.lines);

    auto* telecharge = get<QAction>("Telecharge");
    telecharge->trigger(); // no archive source: fails, but counts as done
    EXPECT_FALSE(telecharge->isEnabled());
    get<QAction>("mnuCharge")->trigger();
    EXPECT_TRUE(telecharge->isEnabled());
}

TEST_F(MainWindowTest, GridEntryAddsADrawThatClosingSaves)
{
    auto* ok = get<QPushButton>("OK");
    DrawLine::Numbers numbers{};
    for (int k = 0; k < 20; ++k) {
        EXPECT_FALSE(ok->isEnabled()) << k;
        numbers[static_cast<size_t>(k)] = 3 * k + 2;
        box(3 * k + 2)->click();
    }
    EXPECT_TRUE(ok->isEnabled());
    EXPECT_EQ(box(5)->palette().color(QPalette::Window), QColor(255, 0, 0));
    EXPECT_EQ(box(6)->palette().color(QPalette::Window), QColor(255, 192, 128));
    box(70)->click(); // a 21st number
    EXPECT_FALSE(ok->isEnabled());
    EXPECT_TRUE(get<QPushButton>("Annuler")->isEnabled());
    box(70)->click();

    ok->click();
    const QString added = DrawLine::build(DrawLine::date(m_history.last()).addDays(1), numbers, true);
    EXPECT_EQ(rowText(get<QListView>("Liste"), kDraws), added);
    EXPECT_EQ(ticked(), 0);
    EXPECT_EQ(box(5)->palette().color(QPalette::Window), QColor(255, 192, 128));
    QFile::remove(working()); // OK saved it already: closing must write it again
    m_window->close();
    EXPECT_EQ(HistoryFile::read(working()).lines.value(kDraws), added);
}

TEST_F(MainWindowTest, DrawListClickDoubleClickAndReturn)
{
    auto* liste = get<QListView>("Liste");
    const QString before = title();
    mouseOnRow(liste, 50);
    EXPECT_EQ(m_ws->selectedIndex(), 50);
    EXPECT_NE(title(), before);
    EXPECT_EQ(title(), m_ws->report().title);

    mouseOnRow(liste, 60, true);
    EXPECT_EQ(ticked(), DrawLine::kNumbers);
    for (int k = 1; k <= DrawLine::kNumbers; ++k)
        EXPECT_TRUE(box(DrawLine::number(m_history[60], k))->isChecked()) << k;

    liste->setCurrentIndex(liste->model()->index(120, 0)); // moving alone runs nothing; Return acts as a click
    EXPECT_EQ(m_ws->selectedIndex(), 60);
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QApplication::sendEvent(liste, &enter);
    EXPECT_EQ(m_ws->selectedIndex(), 120);
}

TEST_F(MainWindowTest, DuringADownloadOnlyStopWorksAndClosingWaitsThenSavesOnce)
{
    WaitingSource source;
    bool cancelled = false;
    m_ws->setArchiveSource(&source);
    m_window->setDownloadCanceller([&] {
        cancelled = true;
        source.loop.quit();
    });
    const QByteArray before = TestSupport::readFile(working());
    QFile::remove(working());
    source.whileWaiting = [&] {
        for (const char* name : {"Sorties", "Debut", "mnuCharge", "finP", "tc"})
            EXPECT_FALSE(get<QAction>(name)->isEnabled()) << name;
        EXPECT_FALSE(box(1)->isEnabled());
        emit box(1)->clicked(true); // a click that slips through must not reach the Workspace
        EXPECT_FALSE(m_ws->checks()[1]);
        get<QPushButton>("Arreter")->click();
        EXPECT_TRUE(cancelled);
        EXPECT_FALSE(m_window->close()); // deferred until the download has returned
        EXPECT_FALSE(QFile::exists(working()));
    };
    get<QAction>("Debut")->trigger();
    EXPECT_TRUE(cancelled);
    EXPECT_TRUE(get<QAction>("Sorties")->isEnabled());
    QApplication::processEvents();
    EXPECT_FALSE(m_window->isVisible());
    EXPECT_EQ(TestSupport::readFile(working()), before); // nothing changed: the same bytes
    QFile::remove(working());
    m_window->close();
    EXPECT_FALSE(QFile::exists(working())); // saved once only
}

TEST(GuiAppTest, DemonstrationRunsInATemporaryFolder)
{
    TestSupport::ScriptedUi ui;
    GuiApp app(&ui);
    const GuiApp::Options options = GuiApp::parseArguments({QStringLiteral("tiravol"), QStringLiteral("--demo")});
    QString error;
    ASSERT_TRUE(app.start(options, &error)) << error.toStdString();
    EXPECT_TRUE(app.dataFolder().startsWith(QDir::tempPath()));
    EXPECT_TRUE(QFile::exists(app.dataFolder() + QStringLiteral("/Tirages_keno.txt")));
    EXPECT_TRUE(app.window()->windowTitle().endsWith(QStringLiteral(" (démonstration)")));
    QApplication::processEvents(); // start-up runs from the event loop
    EXPECT_GT(app.workspace()->drawCount(), 0);
}

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
    EXPECT_TRUE(out.weekdays == in.weekdays && out.months == in.months && out.times == in.times);
    EXPECT_EQ(out.from, in.from);
    EXPECT_EQ(out.to, in.to);

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
            QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
            if (answer == 0)
                window->findChild<QPushButton*>(QStringLiteral("Ferme"))->click();
            else if (answer == 1)
                window->close();
            else
                QApplication::sendEvent(window, &escape);
        });
        EXPECT_EQ(ui.editCalendarFilter(filter), answer == 0) << answer;
        EXPECT_TRUE(filter.times[1]) << answer; // a cancel never writes its unticking back
    }
}

} // namespace
