// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/MainWindow.h"

#include "analyses/CombinationWalk.h"
#include "gui/ChartWindow.h"
#include "gui/DrawListPanel.h"
#include "gui/EntryPanel.h"
#include "gui/ForecastWindows.h"
#include "gui/GameUpdater.h"
#include "gui/GridPanel.h"
#include "gui/PayTableWindow.h"
#include "gui/ReportActions.h"
#include "gui/ReportPanel.h"
#include "gui/ThreadedJobRunner.h"
#include "gui/TicketsWindow.h"
#include "gui/WindowPlacement.h"
#include "shell/CommandUnits.h"
#include "shell/OutcomeView.h"
#include "shell/Settings.h"
#include "shell/UserInterface.h"
#include "shell/Workspace.h"

#include <QAction>
#include <QActionGroup>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeySequence>
#include <QLabel>
#include <QLayout>
#include <QMenu>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QShortcut>
#include <QSplitter>
#include <QStatusBar>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>
#include <optional>

MainWindow::MainWindow(Workspace& workspace, UserInterface& ui, OutcomeView& view, QWidget* parent)
    : QMainWindow(parent), m_ws(workspace), m_ui(ui), m_view(view)
{
    setObjectName(QStringLiteral("frmMain"));
    m_jobs = new ThreadedJobRunner(this);
    m_ws.units().jobs.setRunner(m_jobs);
    // A walk leaves the report area usable; any other job leaves nothing to click.
    m_runner.setClosedWhile([this] { return m_ws.units().jobs.running() && !m_ws.units().analyses.walkRunning(); });
    buildWidgets();
    buildMenus();
    ForecastWindows::install(*this);
    TicketsWindow::install(*this);
    ChartWindow::install(*this);
    connect(m_entry, &EntryPanel::graphClicked, this,
            [this] { m_runner.run(m_windowActions.value(QStringLiteral("cmdGraph"))); });
    ReportActions::install(*this);
    PayTableWindow::install(*this);
    connect(&m_ws, &Workspace::changed, this, &MainWindow::mirror);
    // What a command came to after its job, or in a window of its own.
    connect(&m_ws, &Workspace::ended, this, [this](const CommandOutcome& outcome) { m_view.show(outcome); });
    connect(&m_ws, &Workspace::ticketsWon, this,
            [this](const QStringList& lines) { statusBar()->showMessage(lines.join(QStringLiteral(" ; "))); });
    mirror(Workspace::AllParts);
}

MainWindow::~MainWindow()
{
    // No update may come while the window goes.
    m_updater.reset();
    // A job still running ends here, its end handed to the Workspace (which outlives the
    // window) without being mirrored.
    disconnect(&m_ws, nullptr, this, nullptr);
    m_jobs->stopAndWait();
    m_ws.units().jobs.setRunner(nullptr);
}

void MainWindow::setTitleSuffix(const QString& suffix)
{
    m_titleSuffix = suffix;
    mirrorTitle();
}

// ---------------------------------------------------------------- construction

void MainWindow::buildWidgets()
{
    m_liste = new DrawListPanel(m_ws, m_runner, this);
    m_report = new ReportPanel(m_ws, m_runner, this);
    connect(m_report, &ReportPanel::neededWidthChanged, this, &MainWindow::fitDrawList);
    connect(m_liste, &DrawListPanel::lineWidthChanged, this, &MainWindow::fitDrawList);
    m_grid = new GridPanel(m_ws, m_runner, this);
    m_entry = new EntryPanel(m_ws, m_runner, this);

    // Report above, entry and grid side by side below; all of it scrolls when the window
    // leaves it less than it needs.
    auto* side = new QWidget(this);
    side->setObjectName(QStringLiteral("panneau"));
    auto* lower = new QHBoxLayout;
    lower->setContentsMargins(0, 0, 0, 0);
    lower->addWidget(m_entry);
    lower->addWidget(m_grid);
    lower->addStretch();
    auto* sideLayout = new QVBoxLayout(side);
    sideLayout->setContentsMargins(0, 0, 0, 0);
    sideLayout->addWidget(m_report, 1);
    sideLayout->addLayout(lower);
    m_side = new QScrollArea(this);
    m_side->setObjectName(QStringLiteral("defilement"));
    m_side->setWidgetResizable(true);
    m_side->setFrameShape(QFrame::NoFrame);
    m_side->setWidget(side);

    m_splitter = new QSplitter(Qt::Horizontal, this);
    m_splitter->setObjectName(QStringLiteral("splitter"));
    m_splitter->addWidget(m_liste);
    m_splitter->addWidget(m_side);
    m_splitter->setChildrenCollapsible(false);
    m_splitter->setStretchFactor(0, 0);
    m_splitter->setStretchFactor(1, 1);
    setCentralWidget(m_splitter);

    buildStatusBar();
    // An update waits for any job to end, a walk too: its report would be replaced.
    m_updater = std::make_unique<GameUpdater>(m_ws, statusBar(), [this](const std::function<void()>& command) {
        return !m_ws.units().jobs.running() && m_runner.run(command);
    });
}

// The status bar: a walk's progress, where the study stops, the progress bar and its stop button.
void MainWindow::buildStatusBar()
{
    m_progress = new QProgressBar(this);
    m_progress->setObjectName(QStringLiteral("ProgressBar1"));
    m_progress->setMinimumWidth(260);
    m_stop = new QPushButton(QStringLiteral("Arrêter"), this);
    m_stop->setObjectName(QStringLiteral("Arreter"));
    m_stop->setShortcut(QKeySequence(Qt::Key_Escape)); // only while the button shows
    connect(m_stop, &QPushButton::clicked, this, [this] { m_jobs->cancel(); });
    // A combination walk's share done and time left.
    m_walkProgress = new QLabel(this);
    m_walkProgress->setObjectName(QStringLiteral("Avancement"));
    m_walkProgress->hide();
    statusBar()->addPermanentWidget(m_walkProgress);
    // Where the study stops when a download added nothing; it takes the free width of the bar.
    m_baseOnlyLabel = new QLabel(this);
    m_baseOnlyLabel->setObjectName(QStringLiteral("EtudeBase"));
    m_baseOnlyLabel->hide();
    statusBar()->addWidget(m_baseOnlyLabel, 1);
    statusBar()->addPermanentWidget(m_progress);
    statusBar()->addPermanentWidget(m_stop);
}

namespace {

const QString kWindowSection = QStringLiteral("Fenetre");
// Room for a window manager's borders and title bar before it has drawn them.
const QMargins kFrameGuess(4, 30, 4, 4);

} // namespace

void MainWindow::showPlaced()
{
    const Settings settings(m_ws.settingsPath(), false);
    const auto number = [&](const char* key) {
        bool ok = false;
        const int v = settings.read(kWindowSection, QString::fromLatin1(key), QString()).toInt(&ok);
        return ok ? std::optional<int>(v) : std::nullopt;
    };
    const auto left = number("Gauche"), top = number("Haut"), width = number("Largeur"), height = number("Hauteur");
    if (left && top && width && height && *width > 0 && *height > 0) {
        const QRect saved(*left, *top, *width, *height);
        const QRect frame = WindowPlacement::fitInside(saved.marginsAdded(kFrameGuess), WindowPlacement::workAreaFor(saved));
        setGeometry(frame.marginsRemoved(kFrameGuess));
    } else {
        // Whole draw lines and the whole report when the screen allows it.
        const QRect area = WindowPlacement::workAreaFor(QRect(QPoint(0, 0), QSize(1, 1)));
        QRect frame(QPoint(),
                    QSize(m_liste->sizeHint().width() + m_side->widget()->sizeHint().width() + 40, 860)
                        .grownBy(kFrameGuess)
                        .boundedTo(area.size()));
        frame.moveCenter(area.center());
        setGeometry(frame.marginsRemoved(kFrameGuess));
    }
    m_keepOnScreen = true;
    if (number("Maximisee").value_or(0) == 1)
        showMaximized();
    else
        show();
}

void MainWindow::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    // Once the window manager has framed the window, its title bar must be on screen too.
    if (!m_keepOnScreen)
        return;
    QTimer::singleShot(0, this, [this] { WindowPlacement::keepFrameInside(this); });
    QTimer::singleShot(300, this, [this] {
        WindowPlacement::keepFrameInside(this);
        m_keepOnScreen = false;
    });
}

void MainWindow::saveWindowGeometry()
{
    if (m_ws.config().readOnlySettings)
        return;
    Settings settings(m_ws.settingsPath(), true);
    const QRect normal = normalGeometry().isValid() ? normalGeometry() : geometry();
    settings.write(kWindowSection, QStringLiteral("Gauche"), QString::number(normal.left()));
    settings.write(kWindowSection, QStringLiteral("Haut"), QString::number(normal.top()));
    settings.write(kWindowSection, QStringLiteral("Largeur"), QString::number(normal.width()));
    settings.write(kWindowSection, QStringLiteral("Hauteur"), QString::number(normal.height()));
    settings.write(kWindowSection, QStringLiteral("Maximisee"), isMaximized() ? QStringLiteral("1") : QStringLiteral("0"));
}

void MainWindow::buildMenus()
{
    // Alt and a letter opens each menu: the one marked in its caption, else the first letter
    // no other menu takes. F10 opens the first menu, from which the arrows reach every command.
    QString taken;
    for (const Catalogue::Menu& menuRow : Catalogue::menus()) {
        const qsizetype amp = menuRow.caption.indexOf(QLatin1Char('&'));
        if (amp >= 0 && amp + 1 < menuRow.caption.size())
            taken += menuRow.caption.at(amp + 1).toLower();
    }
    const auto openOnKey = [this](QMenu* menu, const QKeySequence& key) {
        auto* shortcut = new QShortcut(key, this);
        connect(shortcut, &QShortcut::activated, this, [this, menu] {
            if (!menu->menuAction()->isVisible())
                return;
            menuBar()->setActiveAction(menu->menuAction());
            // As when the menu opens by its marked letter: its first command is highlighted.
            for (QAction* action : menu->actions())
                if (!action->isSeparator() && action->isEnabled()) {
                    menu->setActiveAction(action);
                    break;
                }
        });
    };
    bool first = true;
    for (const Catalogue::Menu& menuRow : Catalogue::menus()) {
        const QList<const Catalogue::Entry*> rows = Catalogue::entriesOf(menuRow.name);
        // A menu shows only once it holds a command.
        if (std::none_of(rows.begin(), rows.end(), [](const Catalogue::Entry* row) { return !row->isSeparator(); }))
            continue;
        QMenu* menu = menuBar()->addMenu(menuRow.caption);
        menu->setObjectName(menuRow.name);
        menu->menuAction()->setObjectName(menuRow.name + QStringLiteral("Menu"));
        addMenuRows(menu, rows);
        if (first)
            openOnKey(menu, QKeySequence(Qt::Key_F10));
        first = false;
        if (menuRow.caption.contains(QLatin1Char('&')))
            continue;
        for (const QChar c : menuRow.caption.toLower()) {
            if (c.isLetter() && !taken.contains(c)) {
                taken += c;
                openOnKey(menu, QKeySequence(QStringLiteral("Alt+") + c.toUpper()));
                break;
            }
        }
    }
}

void MainWindow::addMenuRows(QMenu* menu, const QList<const Catalogue::Entry*>& rows)
{
    using Kind = Catalogue::Entry::Kind;
    for (const Catalogue::Entry* row : rows) {
        if (row->isSeparator()) {
            menu->addSeparator()->setObjectName(row->objectName);
            continue;
        }
        if (row->kind == Kind::Submenu) {
            QMenu* sub = menu->addMenu(row->caption);
            sub->setObjectName(row->objectName);
            sub->menuAction()->setObjectName(row->objectName + QStringLiteral("Menu"));
            addMenuRows(sub, Catalogue::entriesOf(row->objectName));
            // An indexed set: one item per index, all running the submenu's command.
            for (const auto& [caption, index] : row->items) {
                QAction* item = addCommand(sub, *row, caption, index);
                item->setObjectName(row->itemName);
                if (row->itemCaption)
                    m_gameItems.append({item, row, index});
            }
            continue;
        }
        QAction* action = addCommand(menu, *row, row->caption, 0);
        if (row->isCheckable()) {
            // One group a menu: ticking a row unticks the others; a setting ticks on its own.
            auto* group = menu->findChild<QActionGroup*>();
            if (!group && !row->toggles)
                group = new QActionGroup(menu);
            if (!row->toggles)
                group->addAction(action);
            action->setCheckable(true);
            m_checkable.append({action, row});
        }
        if (row->objectName == QLatin1String("Telecharge"))
            m_telecharge = action;
        else if (row->kind == Kind::Quit)
            m_fin = action;
    }
}

QAction* MainWindow::addCommand(QMenu* menu, const Catalogue::Entry& row, const QString& caption, int index)
{
    QAction* action = menu->addAction(caption);
    action->setObjectName(row.objectName);
    if (row.copyKey)
        action->setShortcut(QKeySequence::Copy);
    else if (!row.shortcut.isEmpty())
        action->setShortcut(QKeySequence(row.shortcut, QKeySequence::PortableText));
    if (row.kind == Catalogue::Entry::Kind::Quit) {
        connect(action, &QAction::triggered, this, [this] { close(); });
    } else if (row.kind == Catalogue::Entry::Kind::WindowAction) {
        connect(action, &QAction::triggered, this, [this, name = row.objectName] {
            if (const auto handler = m_windowActions.value(name))
                m_runner.run(handler);
        });
    } else {
        connect(action, &QAction::triggered, this, [this, handler = row.handler, index] {
            m_runner.run([this, handler, index] { m_view.show(handler(m_ws.units(), index)); });
            // A refused choice leaves the tick where it was.
            mirrorGame();
        });
    }
    m_commands << action;
    return action;
}

// The draw list keeps whole lines whatever the report: a cut draw line is a draw misread. The
// side panel takes the rest and scrolls when it needs more.
void MainWindow::fitDrawList()
{
    const int total = m_splitter->width() - m_splitter->handleWidth();
    if (total <= 0)
        return;
    const int list = std::min(m_liste->minimumWidth(), total);
    m_splitter->setSizes({list, std::max(0, total - list)});
    m_report->setWidthLimit(m_side->viewport()->width());
}

void MainWindow::resizeEvent(QResizeEvent* event)
{
    QMainWindow::resizeEvent(event);
    fitDrawList();
}

// ---------------------------------------------------------------- commands

void MainWindow::startUp()
{
    m_runner.run([this] { m_view.show(m_ws.startUp()); });
    m_updater->start();
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    // A long job stops and hands back what it has (a walk its records, a download the list
    // as it was) before the exit save.
    m_jobs->stopAndWait();
    if (!m_exitDone) {
        bool saved = false;
        m_runner.run([this, &saved] {
            const CommandOutcome outcome = m_ws.units().history.exitSave();
            m_view.show(outcome);
            saved = outcome.isDone();
        });
        m_exitDone = saved
            || m_ui.confirm(QStringLiteral("L'historique de travail n'a pas été enregistré.\nQuitter sans l'enregistrer ?"),
                            QStringLiteral("Tiravol"));
        if (!m_exitDone) {
            event->ignore();
            return;
        }
    }
    saveWindowGeometry();
    event->accept();
}

// ---------------------------------------------------------------- mirror

void MainWindow::mirror(unsigned parts)
{
    if (parts & Workspace::ListPart) {
        m_liste->mirror();
        // The grid shows the numbers of the game whose draws the list holds.
        m_grid->setFormula(m_ws.liste().formula());
    }
    if (parts & Workspace::ReportPart)
        mirrorWalkProgress();
    if (parts & Workspace::CountersPart)
        m_entry->mirrorCounters();
    if (parts & Workspace::GridPart) {
        m_grid->mirror();
        m_entry->mirrorButtons();
    }
    if (parts & Workspace::EntryPart)
        m_entry->mirrorEntry();
    if ((parts & (Workspace::MenuPart | Workspace::ListPart)) && m_baseOnly.update(m_ws)) {
        m_baseOnlyLabel->setText(m_baseOnly.statusText());
        m_baseOnlyLabel->setToolTip(m_baseOnly.details());
        m_baseOnlyLabel->setVisible(m_baseOnly.active());
        mirrorTitle();
    }
    if (parts & Workspace::MenuPart) {
        mirrorTitle();
        mirrorGame();
        m_entry->mirrorExport();
        updateAvailability();
    }
    if (parts & Workspace::ProgressPart)
        mirrorProgress();
    if (parts & Workspace::BusyPart)
        m_report->mirrorBusy();
    if (parts & Workspace::CursorPart)
        m_waitCursor.show(m_ws.waitCursor());
}

void MainWindow::mirrorTitle()
{
    setWindowTitle(m_ws.windowTitle() + m_titleSuffix + m_baseOnly.titleSuffix());
}

void MainWindow::mirrorGame()
{
    for (const auto& [action, row] : std::as_const(m_checkable))
        action->setChecked(row->checked(m_ws));
    for (const auto& [action, row, index] : std::as_const(m_gameItems))
        action->setText(row->itemCaption(m_ws.game(), index));
}

void MainWindow::mirrorWalkProgress()
{
    m_report->mirror();
    QString text = m_ws.units().analyses.walkProgress();
    // A stopped walk's share stays in sight as long as its records are the report shown.
    const QStringList& lines = m_ws.report().resultat.lines;
    if (text.isEmpty() && !m_ws.units().analyses.walkRunning() && !lines.isEmpty()
        && CombinationWalk::isStoppedLine(lines.last()))
        text = lines.last();
    m_walkProgress->setText(text);
    m_walkProgress->setVisible(!text.isEmpty());
}

void MainWindow::mirrorProgress()
{
    const Workspace::Progress& p = m_ws.progress();
    m_progress->setRange(0, std::max(0, p.maximum)); // a maximum of 0 shows a busy bar
    m_progress->setValue(p.value);
    m_progress->setVisible(p.visible);
    m_stop->setVisible(p.visible);
    updateAvailability();
    // A step that runs on the window's thread (the archive's extraction) still shows it move.
    if (p.visible) {
        if (QLayout* layout = statusBar()->layout())
            layout->activate();
        m_progress->repaint();
    }
}

void MainWindow::updateAvailability()
{
    // While a long job runs nothing may start another command; only the stop button (and
    // closing, which stops the job first) stays available. A combination walk leaves the
    // report area usable; its inputs (list, grid) are locked.
    const bool walking = m_ws.units().analyses.walkRunning();
    const bool idle = !m_ws.progress().visible && !m_ws.units().jobs.running();
    for (QAction* action : std::as_const(m_commands)) {
        bool enabled = idle || action == m_fin;
        if (action == m_telecharge)
            enabled = enabled && m_ws.telechargeEnabled();
        action->setEnabled(enabled);
    }
    m_splitter->setEnabled(!m_ws.progress().visible);
    for (QWidget* input : {static_cast<QWidget*>(m_liste), static_cast<QWidget*>(m_grid), static_cast<QWidget*>(m_entry)})
        input->setEnabled(!walking);
    m_stop->setVisible(!idle);
    m_stop->setEnabled(!idle);
}
