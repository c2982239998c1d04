// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "gui/BaseOnlyNotice.h"
#include "gui/CommandRunner.h"
#include "gui/WaitCursor.h"
#include "shell/Catalogue.h"

#include <QHash>
#include <QList>
#include <QMainWindow>
#include <functional>
#include <memory>
#include <tuple>

class DrawListPanel;
class EntryPanel;
class GameUpdater;
class GridPanel;
class QAction;
class QLabel;
class QMenu;
class QProgressBar;
class QPushButton;
class QScrollArea;
class QSplitter;
class ReportPanel;
class ThreadedJobRunner;
class OutcomeView;
class UserInterface;
class Workspace;

// The main window: assembles the panels and the menus of the command table over the
// Workspace. Clicks call Workspace commands through one command runner; the Workspace's
// `changed` signal is handed, part by part, to the panels that mirror it.
//
// The draw list gets its width first and always shows whole lines; the report and entry panels
// scroll when the rest is too narrow.
class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    // `ui` asks whether to quit when the exit save fails; `view` shows what each command came to.
    MainWindow(Workspace& workspace, UserInterface& ui, OutcomeView& view, QWidget* parent = nullptr);
    ~MainWindow() override;

    // Appended to the Workspace's title (the demonstration says so).
    void setTitleSuffix(const QString& suffix);

    // The Workspace's start-up sequence, run like any command (its messages are modal over
    // the window, and nothing else may start meanwhile).
    void startUp();

    // Shows the window where it was at the last exit (size, position, maximised), inside the
    // screen's work area; at the first start, as large as the work area allows, centred.
    void showPlaced();

    // What the menu row `name` with `windowAction` does; it runs as a command (one at a time).
    void setWindowAction(const QString& name, std::function<void()> handler) { m_windowActions.insert(name, std::move(handler)); }
    Workspace& workspace() { return m_ws; }
    UserInterface& ui() { return m_ui; }
    OutcomeView& view() { return m_view; }

    // The long jobs (walks, backtest, base building, download), off the window's thread.
    ThreadedJobRunner& jobs() { return *m_jobs; }
    // Keeps the current game's history up to date; it begins at the end of startUp().
    GameUpdater& gameUpdater() { return *m_updater; }

protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void buildWidgets();
    void buildStatusBar();
    void buildMenus();
    void addMenuRows(QMenu* menu, const QList<const Catalogue::Entry*>& rows);
    QAction* addCommand(QMenu* menu, const Catalogue::Entry& row, const QString& caption, int index);
    void fitDrawList();
    void saveWindowGeometry();

    void mirror(unsigned parts);
    void mirrorTitle();
    // The game played, its row ticked in the Jeu menu: the one place the window follows a change
    // of game.
    void mirrorGame();
    void mirrorWalkProgress();
    void mirrorProgress();
    void updateAvailability();

    Workspace& m_ws;
    UserInterface& m_ui;
    OutcomeView& m_view;
    QHash<QString, std::function<void()>> m_windowActions;
    CommandRunner m_runner;
    WaitCursor m_waitCursor;
    QString m_titleSuffix;
    BaseOnlyNotice m_baseOnly;
    bool m_keepOnScreen = false; // placed by showPlaced: the frame is checked once it is drawn
    bool m_exitDone = false; // saved, or the user chose to quit without saving

    QSplitter* m_splitter = nullptr;
    DrawListPanel* m_liste = nullptr;
    QScrollArea* m_side = nullptr;
    ReportPanel* m_report = nullptr;
    GridPanel* m_grid = nullptr;
    EntryPanel* m_entry = nullptr;
    QProgressBar* m_progress = nullptr;
    QPushButton* m_stop = nullptr;
    QLabel* m_walkProgress = nullptr;
    QLabel* m_baseOnlyLabel = nullptr;
    QList<QAction*> m_commands; // every menu command, separators excluded
    QList<std::pair<QAction*, const Catalogue::Entry*>> m_checkable;
    // The items whose caption follows the game, with their index.
    QList<std::tuple<QAction*, const Catalogue::Entry*, int>> m_gameItems;
    QAction* m_telecharge = nullptr;
    QAction* m_fin = nullptr;
    ThreadedJobRunner* m_jobs = nullptr;
    std::unique_ptr<GameUpdater> m_updater;
};
