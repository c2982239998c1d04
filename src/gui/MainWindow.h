#pragma once

#include <QMainWindow>
#include <QStringList>
#include <array>
#include <functional>

class QAction;
class QCheckBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QProgressBar;
class QPushButton;
class QSplitter;
class Workspace;
struct ResultList;

// The main window: a thin shell over the Workspace. Clicks call Workspace commands; the
// Workspace's `changed` signal is mirrored into the widgets, part by part.
//
// Keyboard on the draw list: the arrows move the current line without running anything,
// Return/Enter acts as a click on it, Space as a double click (a click then a double click,
// as the mouse does). The context menu (mouse or Menu key) offers the
// correction of the oldest draw.
class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit MainWindow(Workspace& workspace, QWidget* parent = nullptr);
    ~MainWindow() override;

    // Appended to the Workspace's title (the demonstration says so).
    void setTitleSuffix(const QString& suffix);
    // What the stop button does while an archive download runs.
    void setDownloadCanceller(std::function<void()> cancel) { m_cancelDownload = std::move(cancel); }

    // The Workspace's start-up sequence, run like any command (its messages are modal over
    // the window, and nothing else may start meanwhile).
    void startUp();

    // True while a Workspace command runs (a download's event loop lets events in meanwhile).
    bool commandRunning() const { return m_running; }

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct MenuCommand;

    void buildWidgets();
    void buildMenus();
    QWidget* buildReportPanel();
    QWidget* buildEntryPanel();

    // Runs a command unless another one is still running; false when refused.
    bool run(const std::function<void()>& command);
    void runWorkspace(void (Workspace::*command)());
    void pushResultSelection(int list, QListWidget* widget);

    void mirror(unsigned parts);
    void mirrorList();
    void mirrorReport();
    void mirrorResultList(QListWidget* widget, const ResultList& model, QStringList& shown);
    void mirrorCounters();
    void mirrorGrid();
    void mirrorEntry();
    void mirrorMenus();
    void mirrorProgress();
    void mirrorBusy();
    void updateAvailability();

    Workspace& m_ws;
    QString m_titleSuffix;
    std::function<void()> m_cancelDownload;
    bool m_running = false;
    bool m_closePending = false;
    bool m_exitSaved = false;
    bool m_mirroring = false; // widget changes made by the mirror are not user input
    bool m_pushingSelection = false; // a user's selection is being handed to the Workspace

    QStringList m_shownListe; // what Liste displays, to refill only on change
    QStringList m_shownResultat;
    QStringList m_shownResultat2;

    QSplitter* m_splitter = nullptr;
    QListWidget* m_liste = nullptr;
    QListWidget* m_resultat = nullptr;
    QListWidget* m_resultat2 = nullptr;
    QLabel* m_lblAff = nullptr;
    QLabel* m_lblPM = nullptr;
    QLabel* m_lblquoi = nullptr;
    QFrame* m_shape2 = nullptr;
    QLineEdit* m_prem = nullptr;
    QLineEdit* m_dern = nullptr;
    QLineEdit* m_nb = nullptr;
    QLineEdit* m_text1 = nullptr;
    QLabel* m_label2 = nullptr;
    std::array<QCheckBox*, 71> m_checks{};
    QPushButton* m_repere = nullptr;
    QGroupBox* m_affichage = nullptr;
    QLineEdit* m_dat = nullptr;
    QLabel* m_info = nullptr;
    QPushButton* m_ok = nullptr;
    QPushButton* m_annuler = nullptr;
    QCheckBox* m_export = nullptr;
    QProgressBar* m_progress = nullptr;
    QPushButton* m_stop = nullptr;
    QList<QAction*> m_commands; // every menu command, separators excluded
    QAction* m_telecharge = nullptr;
    QAction* m_fin = nullptr;
};
