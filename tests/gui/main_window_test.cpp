#include "gui/MainWindow.h"

#include "acquire/ArchiveSource.h"
#include "gui/WidgetTestHelpers.h"
#include "history/DrawLine.h"
#include "history/HistoryFile.h"
#include "shell/Workspace.h"
#include "support/TestSupport.h"

#include <QAction>
#include <QCheckBox>
#include <QEventLoop>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

#include <memory>

namespace {

using WidgetTest::clickRow;
using WidgetTest::doubleClickRow;
using WidgetTest::pressKey;

constexpr int kDraws = 200;

class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        m_history = TestSupport::makeHistory(kDraws);
        QString error;
        ASSERT_TRUE(HistoryFile::write(workingPath(), m_history, &error)) << error.toStdString();
        ASSERT_TRUE(HistoryFile::write(m_dir.filePath(QStringLiteral("Tirages.txt")), m_history, &error));
        WorkspaceConfig config;
        config.dataFolder = m_dir.path();
        config.appDataFolder = m_dir.filePath(QStringLiteral("config"));
        m_ws = std::make_unique<Workspace>(config, &m_ui);
        m_window = std::make_unique<MainWindow>(*m_ws);
        m_window->show();
        m_window->startUp();
        QApplication::processEvents();
    }

    QString workingPath() const { return m_dir.filePath(QStringLiteral("Tirages_keno.txt")); }

    template <typename T>
    T* find(const QString& name) const
    {
        T* widget = m_window->findChild<T*>(name);
        EXPECT_NE(widget, nullptr) << name.toStdString();
        return widget;
    }
    QListWidget* list(const QString& name) const { return find<QListWidget>(name); }
    QAction* action(const QString& name) const { return find<QAction>(name); }
    QCheckBox* box(int n) const { return find<QCheckBox>(QStringLiteral("Check%1").arg(n)); }
    QString text(const QString& name) const
    {
        if (auto* edit = m_window->findChild<QLineEdit*>(name))
            return edit->text();
        return find<QLabel>(name)->text();
    }
    QList<int> tickedBoxes() const
    {
        QList<int> ticked;
        for (int n = 1; n <= 70; ++n)
            if (box(n)->isChecked())
                ticked << n;
        return ticked;
    }
    static QList<int> numbersOf(const QString& line)
    {
        QList<int> numbers;
        for (int k = 1; k <= DrawLine::kNumbers; ++k)
            numbers << DrawLine::number(line, k);
        std::sort(numbers.begin(), numbers.end());
        return numbers;
    }
    static QStringList rows(QListWidget* widget)
    {
        QStringList lines;
        for (int i = 0; i < widget->count(); ++i)
            lines << widget->item(i)->text();
        return lines;
    }

    QTemporaryDir m_dir;
    QStringList m_history;
    TestSupport::ScriptedUi m_ui;
    std::unique_ptr<Workspace> m_ws;          // declared before the window: destroyed after it
    std::unique_ptr<MainWindow> m_window;
};

TEST_F(MainWindowTest, StartUpShowsTheHistoryTheRankingAndTheCounters)
{
    QListWidget* liste = list(QStringLiteral("Liste"));
    ASSERT_EQ(liste->count(), kDraws + 1);
    EXPECT_EQ(liste->item(0)->text(), m_history.first());
    EXPECT_EQ(liste->item(kDraws)->text(), QString());
    EXPECT_EQ(liste->currentRow(), kDraws);

    const QString lastDate = m_history.last().left(10);
    EXPECT_EQ(text(QStringLiteral("lblAff")), QStringLiteral("Classement par sorties au ") + lastDate);
    QListWidget* left = list(QStringLiteral("Resultat"));
    QListWidget* right = list(QStringLiteral("Resultat2"));
    EXPECT_EQ(rows(left), m_ws->report().resultat.lines);
    EXPECT_EQ(rows(right), m_ws->report().resultat2.lines);
    ASSERT_EQ(left->count(), 36);
    EXPECT_EQ(right->count(), 36);
    EXPECT_EQ(left->item(0)->text(), QStringLiteral("Num Sorti Ecart  EcartMax"));
    EXPECT_TRUE(left->isVisible());
    EXPECT_TRUE(right->isVisible());
    EXPECT_EQ(text(QStringLiteral("lblPM")), m_ws->report().caption);
    EXPECT_TRUE(find<QLabel>(QStringLiteral("lblquoi"))->isVisible());
    EXPECT_TRUE(find<QWidget>(QStringLiteral("Shape2"))->isVisible());

    EXPECT_EQ(text(QStringLiteral("nb")), QString::number(kDraws));
    EXPECT_EQ(text(QStringLiteral("Prem")), m_history.first().left(10));
    EXPECT_EQ(text(QStringLiteral("Dern")), lastDate);
    EXPECT_EQ(text(QStringLiteral("Label2")), m_ws->counters().label2);
    EXPECT_EQ(text(QStringLiteral("Info")), QStringLiteral("Ajouter un tirage"));
    EXPECT_EQ(find<QGroupBox>(QStringLiteral("Affichage"))->title(), QStringLiteral("Tirage Numéro %1").arg(kDraws + 1));
    EXPECT_EQ(m_window->windowTitle(), m_ws->windowTitle());
    EXPECT_TRUE(m_ui.messages.empty());
}

TEST_F(MainWindowTest, MenusFollowTheCommandTable)
{
    QStringList titles;
    for (QAction* menu : m_window->menuBar()->actions())
        titles << menu->text();
    EXPECT_EQ(titles, (QStringList{QStringLiteral("&Fichier"), QStringLiteral("Edition"), QStringLiteral("S&tatistiques"),
                                   QStringLiteral("Prevision"), QStringLiteral("Aide"), QStringLiteral("Divers")}));

    const auto items = [this](const QString& menu) {
        QStringList names;
        for (QAction* a : find<QMenu>(menu)->actions())
            names << a->objectName() + QLatin1Char('=') + (a->isSeparator() ? QStringLiteral("-") : a->text());
        return names;
    };
    EXPECT_EQ(items(QStringLiteral("Fichier")),
              (QStringList{QStringLiteral("mnuCharge=Charge Manuelle"), QStringLiteral("Telecharge=Telechargement FDesJeux"),
                           QStringLiteral("Fin=&Quitter")}));
    EXPECT_EQ(items(QStringLiteral("Statistiques")),
              (QStringList{QStringLiteral("Debut=Tous les tirages"), QStringLiteral("finP=Periode d'etude"), QStringLiteral("m1=-"),
                           QStringLiteral("Ecarts=Ecarts"), QStringLiteral("EMaxi=Ecarts Max"), QStringLiteral("Sorties=Sorties"),
                           QStringLiteral("Numero=Numéro")}));
    EXPECT_EQ(items(QStringLiteral("Divers")), QStringList{QStringLiteral("tc=Tout cocher")});
    EXPECT_TRUE(items(QStringLiteral("Ed")).isEmpty());
    EXPECT_EQ(action(QStringLiteral("Fin"))->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_Q));
}

TEST_F(MainWindowTest, RankingActionsRunTheirReports)
{
    const QString lastDate = m_history.last().left(10);
    struct Case { const char* action; QString title; };
    const Case cases[] = {
        {"Numero", QStringLiteral("Classement par numéros au ")},
        {"Ecarts", QStringLiteral("Classement par écarts au ")},
        {"EMaxi", QStringLiteral("Classement par écarts max au ")},
        {"Sorties", QStringLiteral("Classement par sorties au ")},
    };
    for (const Case& c : cases) {
        QAction* a = action(QString::fromLatin1(c.action));
        ASSERT_TRUE(a->isEnabled()) << c.action;
        a->trigger();
        EXPECT_EQ(text(QStringLiteral("lblAff")), c.title + lastDate) << c.action;
        EXPECT_EQ(rows(list(QStringLiteral("Resultat"))), m_ws->report().resultat.lines) << c.action;
        EXPECT_EQ(rows(list(QStringLiteral("Resultat2"))), m_ws->report().resultat2.lines) << c.action;
    }
    action(QStringLiteral("Numero"))->trigger();
    EXPECT_TRUE(list(QStringLiteral("Resultat"))->item(1)->text().startsWith(QStringLiteral("01")));
}

TEST_F(MainWindowTest, DownloadDisablesItselfUntilManualLoad)
{
    QAction* telecharge = action(QStringLiteral("Telecharge"));
    ASSERT_TRUE(telecharge->isEnabled());
    telecharge->trigger();
    EXPECT_FALSE(telecharge->isEnabled());
    EXPECT_TRUE(action(QStringLiteral("Debut"))->isEnabled());
    EXPECT_EQ(list(QStringLiteral("Liste"))->count(), kDraws + 1);

    action(QStringLiteral("mnuCharge"))->trigger();
    EXPECT_TRUE(telecharge->isEnabled());
    EXPECT_EQ(list(QStringLiteral("Liste"))->count(), kDraws + 1);
}

TEST_F(MainWindowTest, ClosingWritesTheWorkingHistoryUnchanged)
{
    const QByteArray before = TestSupport::readFile(workingPath());
    ASSERT_FALSE(before.isEmpty());
    QFile::remove(workingPath());
    EXPECT_TRUE(m_window->close());
    EXPECT_EQ(TestSupport::readFile(workingPath()), before);
    EXPECT_FALSE(m_window->isVisible());
}

TEST_F(MainWindowTest, TwentyTicksEnableOkAndTheDrawIsAddedAndSaved)
{
    QListWidget* liste = list(QStringLiteral("Liste"));
    clickRow(liste, kDraws);
    EXPECT_EQ(m_ws->selectedIndex(), kDraws);
    QPushButton* ok = find<QPushButton>(QStringLiteral("OK"));
    QPushButton* annuler = find<QPushButton>(QStringLiteral("Annuler"));

    const QColor unticked(255, 192, 128);
    const QColor ticked(255, 0, 0);
    EXPECT_EQ(box(7)->palette().color(QPalette::Window), unticked);
    DrawLine::Numbers numbers{};
    for (int k = 0; k < 20; ++k) {
        numbers[static_cast<size_t>(k)] = 3 * k + 2;  // 2, 5, ... 59
        EXPECT_FALSE(ok->isEnabled()) << k;
        box(3 * k + 2)->click();
    }
    EXPECT_TRUE(ok->isEnabled());
    EXPECT_TRUE(annuler->isEnabled());
    EXPECT_EQ(text(QStringLiteral("Text1")), QStringLiteral("20"));
    EXPECT_EQ(text(QStringLiteral("Label2")), QStringLiteral("Nombre de numéros"));
    EXPECT_EQ(box(5)->palette().color(QPalette::Window), ticked);
    EXPECT_EQ(box(6)->palette().color(QPalette::Window), unticked);

    box(70)->click();  // a 21st number
    EXPECT_FALSE(ok->isEnabled());
    EXPECT_TRUE(annuler->isEnabled());
    box(70)->click();
    ASSERT_TRUE(ok->isEnabled());

    ok->click();
    // The newest draw is an evening one: the new draw is the next day's midday draw.
    const QDate next = DrawLine::date(m_history.last()).addDays(1);
    const QString added = DrawLine::build(next, numbers, true);
    ASSERT_EQ(liste->count(), kDraws + 2);
    EXPECT_EQ(liste->item(kDraws)->text(), added);
    EXPECT_EQ(liste->item(kDraws + 1)->text(), QString());
    EXPECT_EQ(liste->currentRow(), kDraws + 1);
    EXPECT_TRUE(tickedBoxes().isEmpty());
    EXPECT_EQ(box(5)->palette().color(QPalette::Window), unticked);
    EXPECT_FALSE(ok->isEnabled());
    EXPECT_EQ(text(QStringLiteral("Info")), QStringLiteral("Gagnez au Kéno !"));

    QFile::remove(workingPath());
    m_window->close();
    const QStringList saved = HistoryFile::read(workingPath()).lines;
    ASSERT_EQ(saved.size(), kDraws + 1);
    EXPECT_EQ(saved.last(), added);
}

TEST_F(MainWindowTest, ToutCocherAndEffacer)
{
    action(QStringLiteral("tc"))->trigger();
    EXPECT_EQ(tickedBoxes().size(), 70);
    EXPECT_EQ(text(QStringLiteral("Text1")), QStringLiteral("70"));
    EXPECT_FALSE(find<QPushButton>(QStringLiteral("OK"))->isEnabled());
    EXPECT_EQ(box(70)->palette().color(QPalette::Window), QColor(255, 0, 0));

    box(1)->click();  // back to 69, Effacer is not yet available
    QPushButton* annuler = find<QPushButton>(QStringLiteral("Annuler"));
    for (int n = 2; n <= 50; ++n)
        box(n)->click();
    ASSERT_TRUE(annuler->isEnabled());
    annuler->click();
    EXPECT_TRUE(tickedBoxes().isEmpty());
    EXPECT_EQ(list(QStringLiteral("Resultat"))->count(), 0);
    EXPECT_EQ(list(QStringLiteral("Resultat2"))->count(), 0);
}

TEST_F(MainWindowTest, MouseOnTheDrawList)
{
    QListWidget* liste = list(QStringLiteral("Liste"));
    clickRow(liste, 50);
    EXPECT_EQ(m_ws->selectedIndex(), 50);
    EXPECT_EQ(text(QStringLiteral("Dern")), m_history[49].left(10));
    EXPECT_EQ(text(QStringLiteral("lblAff")), QStringLiteral("Classement par sorties au ") + m_history[49].left(10));
    EXPECT_EQ(text(QStringLiteral("Info")), QStringLiteral("Modifier le tirage"));

    doubleClickRow(liste, 60);
    EXPECT_EQ(m_ws->selectedIndex(), 60);
    EXPECT_EQ(tickedBoxes(), numbersOf(m_history[60]));
    EXPECT_TRUE(find<QPushButton>(QStringLiteral("OK"))->isEnabled());

    // The first line acts on the second.
    clickRow(liste, 0);
    EXPECT_EQ(m_ws->selectedIndex(), 1);
    EXPECT_EQ(liste->currentRow(), 1);
    EXPECT_EQ(text(QStringLiteral("nb")), QStringLiteral("1"));
}

TEST_F(MainWindowTest, KeyboardOnTheDrawList)
{
    QListWidget* liste = list(QStringLiteral("Liste"));
    liste->setFocus();
    pressKey(liste, Qt::Key_Up);
    pressKey(liste, Qt::Key_Up);
    EXPECT_EQ(liste->currentRow(), kDraws - 2);
    EXPECT_EQ(m_ws->selectedIndex(), kDraws);  // moving does not run anything

    pressKey(liste, Qt::Key_Return);
    EXPECT_EQ(m_ws->selectedIndex(), kDraws - 2);
    EXPECT_EQ(text(QStringLiteral("Dern")), m_history[kDraws - 3].left(10));

    pressKey(liste, Qt::Key_Up);
    pressKey(liste, Qt::Key_Space);  // a double click on the current line, clicked first
    EXPECT_EQ(m_ws->selectedIndex(), kDraws - 3);
    EXPECT_EQ(tickedBoxes(), numbersOf(m_history[kDraws - 3]));
}

TEST_F(MainWindowTest, ContextMenuCorrectsTheOldestDraw)
{
    QAction* oldest = nullptr;
    for (QAction* a : list(QStringLiteral("Liste"))->actions())
        if (a->text() == QStringLiteral("Corriger le premier tirage"))
            oldest = a;
    ASSERT_NE(oldest, nullptr);
    EXPECT_EQ(list(QStringLiteral("Liste"))->contextMenuPolicy(), Qt::ActionsContextMenu);
    oldest->trigger();
    EXPECT_TRUE(m_ws->editingOldest());
    EXPECT_EQ(tickedBoxes(), numbersOf(m_history[0]));
    EXPECT_EQ(find<QGroupBox>(QStringLiteral("Affichage"))->title(), QStringLiteral("Tirage Numéro 1"));
}

TEST_F(MainWindowTest, ResultSelectionGoesBothWays)
{
    QListWidget* left = list(QStringLiteral("Resultat"));
    QListWidget* right = list(QStringLiteral("Resultat2"));
    const int leftNumber = left->item(1)->text().left(2).toInt();
    const int rightNumber = right->item(1)->text().left(2).toInt();
    box(leftNumber)->click();
    box(rightNumber)->click();
    find<QPushButton>(QStringLiteral("CmsRepere"))->click();
    EXPECT_TRUE(left->item(1)->isSelected());
    EXPECT_TRUE(right->item(1)->isSelected());
    EXPECT_FALSE(left->item(2)->isSelected());
    EXPECT_EQ(left->selectedItems().size(), 1);

    // A person's click selects one line of Resultat and shows "Tirage numéro ".
    clickRow(left, 3);
    EXPECT_TRUE(m_ws->report().resultat.isSelected(3));
    EXPECT_FALSE(m_ws->report().resultat.isSelected(1));
    EXPECT_TRUE(m_ws->report().resultat2.isSelected(1));
    EXPECT_EQ(text(QStringLiteral("Label2")), QStringLiteral("Tirage numéro "));

    left->selectAll();
    EXPECT_EQ(m_ws->report().resultat.selected, QList<bool>(36, true));
    right->clearSelection();
    EXPECT_FALSE(m_ws->report().resultat2.isSelected(1));
}

TEST_F(MainWindowTest, ExportBoxWritesEachReport)
{
    QCheckBox* exportBox = find<QCheckBox>(QStringLiteral("Export"));
    exportBox->click();
    ASSERT_TRUE(m_ws->exportEnabled());
    const QString file = m_dir.filePath(QStringLiteral("export.txt"));
    m_ui.saveNames.push_back(file);
    action(QStringLiteral("Numero"))->trigger();
    const QByteArray written = TestSupport::readFile(file);
    EXPECT_TRUE(written.startsWith((text(QStringLiteral("lblAff")) + QStringLiteral("\r\n")).toUtf8()));

    exportBox->click();
    EXPECT_FALSE(m_ws->exportEnabled());
}

// Holds the download in an event loop, as the network source does, until it is cancelled.
class WaitingSource : public ArchiveSource {
public:
    std::function<void()> whileWaiting;
    bool cancelled = false;
    QEventLoop* loop = nullptr;

    void cancel()
    {
        cancelled = true;
        if (loop)
            loop->quit();
    }
    bool fetch(const QString&, const QString&, const Progress& progress, QString* error) override
    {
        progress(0, -1);
        QEventLoop wait;
        loop = &wait;
        QTimer::singleShot(0, &wait, [this] { whileWaiting(); });
        QTimer::singleShot(5000, &wait, &QEventLoop::quit);  // never hang the test
        wait.exec();
        loop = nullptr;
        *error = QStringLiteral("Téléchargement interrompu");
        return false;
    }
};

TEST_F(MainWindowTest, WhileDownloadingOnlyTheStopButtonWorks)
{
    WaitingSource source;
    m_ws->setArchiveSource(&source);
    m_window->setDownloadCanceller([&source] { source.cancel(); });
    QPushButton* stop = find<QPushButton>(QStringLiteral("Arreter"));
    QProgressBar* bar = find<QProgressBar>(QStringLiteral("ProgressBar1"));
    EXPECT_FALSE(bar->isVisible());
    EXPECT_FALSE(stop->isVisible());

    bool probed = false;
    source.whileWaiting = [&] {
        probed = true;
        EXPECT_TRUE(bar->isVisible());
        EXPECT_EQ(bar->maximum(), 0);
        EXPECT_TRUE(stop->isVisible());
        EXPECT_TRUE(stop->isEnabled());
        for (const char* name : {"Sorties", "Numero", "Debut", "mnuCharge", "finP", "tc"})
            EXPECT_FALSE(action(QString::fromLatin1(name))->isEnabled()) << name;
        EXPECT_FALSE(box(1)->isEnabled());
        EXPECT_FALSE(list(QStringLiteral("Liste"))->isEnabled());
        // A click that slips through does not reach the Workspace while it waits.
        emit box(1)->clicked(true);
        EXPECT_FALSE(m_ws->checks()[1]);
        stop->click();
    };
    action(QStringLiteral("Debut"))->trigger();
    ASSERT_TRUE(probed);
    EXPECT_TRUE(source.cancelled);
    EXPECT_FALSE(bar->isVisible());
    EXPECT_TRUE(action(QStringLiteral("Sorties"))->isEnabled());
    EXPECT_TRUE(box(1)->isEnabled());
    EXPECT_TRUE(list(QStringLiteral("Liste"))->isEnabled());
    EXPECT_FALSE(action(QStringLiteral("Telecharge"))->isEnabled());
    ASSERT_FALSE(m_ui.messages.empty());
    EXPECT_EQ(m_ui.messages.front().text, QStringLiteral("Téléchargement interrompu"));
}

TEST_F(MainWindowTest, ClosingDuringADownloadStopsItThenSaves)
{
    WaitingSource source;
    m_ws->setArchiveSource(&source);
    m_window->setDownloadCanceller([&source] { source.cancel(); });
    source.whileWaiting = [&] {
        EXPECT_FALSE(m_window->close());  // refused for now, the download is told to stop
        EXPECT_TRUE(m_window->isVisible());
    };
    QFile::remove(workingPath());
    action(QStringLiteral("Debut"))->trigger();
    EXPECT_TRUE(source.cancelled);
    QApplication::processEvents();
    EXPECT_FALSE(m_window->isVisible());
    EXPECT_EQ(HistoryFile::read(workingPath()).lines, m_history);
}

} // namespace
