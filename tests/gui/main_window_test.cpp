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
#include "support/WindowFixture.h"

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
#include <QThread>
#include <QTimer>
#include <gtest/gtest.h>

#include <atomic>

using TestSupport::rows;

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

QString rowText(const QListView* list, int row)
{
    return list->model()->index(row, 0).data().toString();
}

// A server that sends nothing until the download is stopped (10 s at most).
struct WaitingSource : ArchiveSource {
    std::atomic<bool> started{false};
    bool cancelled = false;
    bool fetch(const QString&, const QString&, const Progress& progress, QString* error) override
    {
        progress(0, -1);
        started = true;
        for (int i = 0; i < 1000 && !cancelRequested(); ++i)
            QThread::msleep(10);
        cancelled = cancelRequested();
        *error = QStringLiteral("Téléchargement interrompu");
        return false;
    }
    bool wasCancelled() const override { return cancelled; }
};

class MainWindowTest : public TestSupport::WindowTest {
protected:
    void SetUp() override
    {
        writeHistory(TestSupport::makeHistory(kDraws));
        open();
    }

    QString working() const { return path("Tirages_keno.txt"); }
    QCheckBox* box(int n) const { return m_window->findChild<QCheckBox*>(QStringLiteral("Check%1").arg(n)); }
    QString title() const { return get<QLabel>("lblAff")->text(); }
    qsizetype ticked() const
    {
        const auto boxes = m_window->findChildren<QCheckBox*>();
        return std::count_if(boxes.begin(), boxes.end(), [](const QCheckBox* b) { return b->isChecked(); });
    }
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
              QStringLiteral("Annonceur=Annonceur AnnonceurHasard=Annonceur - hasard Apropos=A propos ColonesMenu=Colonnes "
                             "Colonne=Colonne Construire=Construire l'historique… Cotes=Cotes du Keno Debut=Tous les tirages "
                             "Dix=Dizaines/Unités EMaxi=Ecarts Max Ecarts=Ecarts Fin=&Quitter FinalesMenu=Finales "
                             "Hasard=Hasard ImpMenu=Imprimer Magic=Selection numéros MnuCop=Copier selection Numero=Numéro "
                             "PG=Petits / Gros Numéros Part=Partenaire ideal PartHasard=Partenaires - hasard "
                             "Perf2=Performance Pi=Pairs / Impairs PlusSortis=Plus sortis Recherche=&Recherche Ecart "
                             "Sept=Septaines Sorties=Sorties Telecharge=Telechargement FDesJeux TestPrev=Tester la prévision "
                             "Varn=Aide finP=Periode d'etude mnuCharge=Charge Manuelle mnuCons=Conseils mnuPrev=Configuration "
                             "site=Visiter le site / contact tc=Tout cocher"));

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

TEST_F(MainWindowTest, DuringADownloadOnlyStopWorksAndClosingStopsItThenSavesOnce)
{
    WaitingSource source;
    m_ws->setArchiveSource(&source);
    const QByteArray before = TestSupport::readFile(working());
    QFile::remove(working());

    // The download runs off the window's thread: the window answers meanwhile.
    get<QAction>("Debut")->trigger();
    ASSERT_TRUE(TestSupport::waitFor([&] { return source.started.load(); }));
    for (const char* name : {"Sorties", "Debut", "mnuCharge", "finP", "tc", "TestPrev"})
        EXPECT_FALSE(get<QAction>(name)->isEnabled()) << name;
    EXPECT_FALSE(box(1)->isEnabled());
    emit box(1)->clicked(true); // a click that slips through must not reach the Workspace
    EXPECT_FALSE(m_ws->checks()[1]);
    EXPECT_TRUE(get<QPushButton>("Arreter")->isVisible());
    EXPECT_TRUE(m_ws->jobRunning());

    // Closing stops it, lets the list be rebuilt as after a stop, then saves.
    EXPECT_TRUE(m_window->close());
    EXPECT_TRUE(source.cancelled);
    EXPECT_FALSE(m_ws->jobRunning());
    EXPECT_EQ(m_ws->drawCount(), m_history.size());
    EXPECT_EQ(TestSupport::readFile(working()), before); // nothing lost: the same bytes
    QFile::remove(working());
    m_window->close();
    EXPECT_FALSE(QFile::exists(working())); // saved once only
}

TEST_F(MainWindowTest, TheStopButtonEndsADownloadAndFreesTheCommands)
{
    WaitingSource source;
    m_ws->setArchiveSource(&source);
    const size_t told = m_ui.messages.size();
    const qsizetype asked = m_ui.askedTitles.size();
    get<QAction>("Debut")->trigger();
    ASSERT_TRUE(TestSupport::waitFor([&] { return source.started.load(); }));
    get<QPushButton>("Arreter")->click();
    ASSERT_TRUE(TestSupport::waitFor([&] { return !m_ws->jobRunning(); }));
    EXPECT_TRUE(source.cancelled);
    EXPECT_EQ(m_ui.askedTitles.size(), asked); // a stop asks nothing
    EXPECT_EQ(m_ui.messages.size(), told);
    EXPECT_TRUE(get<QAction>("Sorties")->isEnabled());
    EXPECT_FALSE(get<QPushButton>("Arreter")->isVisible());
    EXPECT_EQ(m_ws->drawCount(), m_history.size());
}

// Where a label draws the start of `part` of its text, in `ref`'s coordinates (plain,
// left-aligned labels).
int partX(const QLabel* label, const QString& part, const QWidget* ref)
{
    const qsizetype at = label->text().indexOf(part);
    const int inLabel = label->contentsRect().left() + label->fontMetrics().horizontalAdvance(label->text().left(at));
    return label->mapTo(ref->window(), QPoint(inLabel, 0)).x() - ref->mapTo(ref->window(), QPoint(0, 0)).x();
}

const QLabel* labelShowing(const QWidget* window, const QString& part)
{
    for (const QLabel* label : window->findChildren<QLabel*>())
        if (label->isVisible() && label->text().contains(part))
            return label;
    return nullptr;
}

TEST_F(MainWindowTest, DrawLinesStayWholeAt1366AndReadableAt1024)
{
    auto* liste = get<QListView>("Liste");
    const QFontMetrics metrics = liste->fontMetrics();
    const QString line = m_history.last();
    ASSERT_EQ(line.size(), 75);
    m_window->resize(1366, 768);
    QApplication::processEvents();
    ASSERT_EQ(m_window->width(), 1366);
    EXPECT_GE(liste->viewport()->width(), metrics.horizontalAdvance(line)) << liste->viewport()->width();

    m_window->resize(1024, 768);
    QApplication::processEvents();
    ASSERT_EQ(m_window->width(), 1024);
    // The date and the twenty numbers.
    EXPECT_GE(liste->viewport()->width(), metrics.horizontalAdvance(line.left(70))) << liste->viewport()->width();
    // The report panel is still reachable, if only by scrolling.
    EXPECT_TRUE(get<QListWidget>("Resultat")->isVisibleTo(m_window.get()));
}

TEST_F(MainWindowTest, CorrectionCaptionShowsTheWholeLineAndLesMoinsStandsOverTheRightList)
{
    m_window->resize(1600, 860);
    QApplication::processEvents();
    // "les moins" over Resultat2, "Les plus" over Resultat.
    const QLabel* moins = labelShowing(m_window.get(), QStringLiteral("les moins"));
    const QLabel* plus = labelShowing(m_window.get(), QStringLiteral("Les plus"));
    ASSERT_TRUE(moins && plus);
    auto* right = get<QListWidget>("Resultat2");
    EXPECT_GE(partX(moins, QStringLiteral("les moins"), right), 0);
    EXPECT_LT(partX(plus, QStringLiteral("Les plus"), right), 0);
    EXPECT_GE(partX(plus, QStringLiteral("Les plus"), get<QListWidget>("Resultat")), 0);

    // A correction in the middle of the list: the caption then keeps the written line.
    mouseOnRow(get<QListView>("Liste"), 100);
    for (int n = 1; n <= 20; ++n)
        box(3 * n)->click();
    get<QPushButton>("OK")->click();
    for (int i = 0; i < 5; ++i)
        QApplication::processEvents(); // nested layouts settle one level per pass
    const QString added = TestSupport::shownItems(*m_ws).value(100);
    // Line 99 is the evening draw of 04/11/1993.
    ASSERT_EQ(m_history[99].left(10) + m_history[99].right(5), QStringLiteral("04/11/1993 soir"));
    ASSERT_EQ(added, QStringLiteral("05/11/1993 03 06 09 12 15 18 21 24 27 30 33 36 39 42 45 48 51 54 57 60 midi"));
    // The date, a space, then " 03 06 ... 60".
    const QString caption = added.left(10) + QLatin1Char(' ') + added.mid(10, 60);
    ASSERT_EQ(m_ws->entry().affichage, caption);
    const QLabel* shown = labelShowing(m_window.get(), caption);
    ASSERT_NE(shown, nullptr) << "no label shows the whole caption";
    // Every line of the (wrapped) text fits in the label.
    EXPECT_TRUE(shown->wordWrap() || shown->width() >= shown->fontMetrics().horizontalAdvance(caption));
    EXPECT_LE(shown->heightForWidth(shown->width()), shown->height());
    const QRect inWindow(shown->mapTo(m_window.get(), QPoint(0, 0)), shown->size());
    EXPECT_TRUE(m_window->rect().contains(inWindow));
}

TEST_F(MainWindowTest, ArrowKeysNeverShowOneLineWhileAnotherIsEdited)
{
    auto* liste = get<QListView>("Liste");
    mouseOnRow(liste, 40);
    ASSERT_EQ(m_ws->selectedIndex(), 40);
    const QString caption = m_ws->entry().affichage;
    const QString report = title();
    const auto highlighted = [&] {
        QList<int> rows;
        for (const QModelIndex& i : liste->selectionModel()->selectedIndexes())
            rows << i.row();
        return rows;
    };
    for (const Qt::Key key : {Qt::Key_Up, Qt::Key_Up, Qt::Key_PageDown, Qt::Key_Home, Qt::Key_Down}) {
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
        QApplication::sendEvent(liste, &press);
        EXPECT_EQ(m_ws->selectedIndex(), 40) << key;
        EXPECT_EQ(highlighted(), QList<int>{40}) << key;
    }
    EXPECT_EQ(m_ws->entry().affichage, caption);
    EXPECT_EQ(title(), report);
    EXPECT_EQ(liste->currentIndex().row(), 1); // Home then Down

    // Return takes the focused line, as a click does.
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Enter, Qt::NoModifier);
    QApplication::sendEvent(liste, &enter);
    EXPECT_EQ(m_ws->selectedIndex(), 1);
    EXPECT_EQ(highlighted(), QList<int>{1});
    EXPECT_EQ(rowText(liste, 1), m_history[1]);
}

TEST_F(MainWindowTest, DrawListShowsLoadsCorrectionsAndAdditions)
{
    auto* liste = get<QListView>("Liste");
    const auto shown = [&] {
        QStringList lines;
        for (int row = 0; row < liste->model()->rowCount(); ++row)
            lines << rowText(liste, row);
        return lines;
    };
    EXPECT_EQ(shown(), m_history + QStringList{QString()});

    // A shorter history loaded: the view shrinks to it.
    const QStringList shorter = TestSupport::makeHistory(50, QDate(2020, 3, 1), 11);
    QString error;
    ASSERT_TRUE(HistoryFile::write(working(), shorter, &error));
    get<QAction>("mnuCharge")->trigger();
    EXPECT_EQ(shown(), shorter + QStringList{QString()});

    // A correction rewrites one row, an addition appends one.
    mouseOnRow(liste, 10);
    for (int n = 1; n <= 20; ++n)
        box(n + 50)->click();
    get<QPushButton>("OK")->click();
    QStringList expected = shorter;
    expected[10] = DrawLine::build(DrawLine::date(shorter[9]).addDays(shorter[9].endsWith(QLatin1String("soir")) ? 1 : 0),
                                   {51, 52, 53, 54, 55, 56, 57, 58, 59, 60, 61, 62, 63, 64, 65, 66, 67, 68, 69, 70},
                                   shorter[9].endsWith(QLatin1String("soir")));
    EXPECT_EQ(shown(), expected + QStringList{QString()});
    mouseOnRow(liste, 50);
    for (int n = 1; n <= 20; ++n)
        box(n)->click();
    get<QPushButton>("OK")->click();
    EXPECT_EQ(shown().size(), 52);
    EXPECT_EQ(shown().value(50).mid(10, 9), QStringLiteral(" 01 02 03"));
    EXPECT_EQ(shown().value(51), QString());
    EXPECT_EQ(liste->selectionModel()->selectedIndexes().value(0).row(), 51);
}

TEST_F(MainWindowTest, MenusWithoutCommandsAreNotShown)
{
    QStringList menus;
    for (const QAction* menu : m_window->menuBar()->actions())
        if (menu->isVisible())
            menus << menu->text();
    EXPECT_EQ(menus,
              (QStringList{QStringLiteral("&Fichier"), QStringLiteral("Edition"), QStringLiteral("S&tatistiques"),
                           QStringLiteral("Prevision"), QStringLiteral("Aide"), QStringLiteral("Divers")}));
}

TEST_F(MainWindowTest, AFailedExitSaveAsksBeforeQuitting)
{
    // A longer working file than the list: the exit save refuses to replace it.
    const QStringList longer = TestSupport::makeHistory(kDraws + 5);
    QString error;
    ASSERT_TRUE(HistoryFile::write(working(), longer, &error));
    const QByteArray onDisk = TestSupport::readFile(working());

    m_ui.confirmAnswers = {false};
    EXPECT_FALSE(m_window->close());
    EXPECT_TRUE(m_window->isVisible());
    ASSERT_EQ(m_ui.confirmTexts.size(), 1);
    EXPECT_EQ(TestSupport::shownItems(*m_ws).size(), kDraws + 1); // the list is still there
    EXPECT_EQ(TestSupport::readFile(working()), onDisk);

    m_ui.confirmAnswers = {true};
    EXPECT_TRUE(m_window->close());
    EXPECT_FALSE(m_window->isVisible());
    EXPECT_EQ(m_ui.confirmTexts.size(), 2); // asked again: the save was tried again
    EXPECT_EQ(TestSupport::readFile(working()), onDisk);
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
