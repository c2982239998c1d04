// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>
#include <memory>

class QTemporaryDir;
class DialogUi;
class GuiAppInstance;
class MainWindow;
class NetworkArchiveSource;
class OutcomeView;
class UserInterface;
class Workspace;
struct WorkspaceConfig;

// Builds the window program: folders, Workspace, archive source, main window and start-up.
class GuiApp {
public:
    struct Options {
        bool demo = false; // a generated history in a temporary folder, settings kept apart
        QString dataDir; // empty: the documents folder
        bool quitAfterStart = false; // close once start-up is over (smoke test of the build)
    };

    // `ui` and `view` replace the dialogs (tests); nullptr uses real dialogs over the window.
    explicit GuiApp(UserInterface* ui = nullptr, OutcomeView* view = nullptr);
    ~GuiApp();
    GuiApp(const GuiApp&) = delete;
    GuiApp& operator=(const GuiApp&) = delete;

    // Application-wide set-up done before anything is shown: Qt's French translations.
    static void setUpApplication();

    // Reads the command line; prints help or the version and exits 0, or a usage error and
    // exits 2, as tiravol-cli does.
    static Options parseArguments(const QStringList& arguments);

    // Creates everything and shows the window; the start-up sequence runs from the event
    // loop, once the window is on screen. False with a reason when the demo folder fails;
    // false with forwarded() when a window is open on this data folder already (it was
    // brought forward and the person told so).
    bool start(const Options& options, QString* error);
    bool forwarded() const { return m_forwarded; }

    // The whole program: parse, start, run the event loop.
    int run();

    MainWindow* window() const { return m_window.get(); }
    Workspace* workspace() const { return m_workspace.get(); }
    QString dataFolder() const { return m_dataFolder; }

private:
    UserInterface* m_externalUi;
    OutcomeView* m_externalView;
    // True when another window has the folder: it is asked to come forward.
    bool forwardToRunning(const QString& dataFolder, OutcomeView* view);
    // A demonstration history in a temporary folder that becomes the data and settings folder.
    bool useDemoFolder(WorkspaceConfig& config, QString* error);
    void raiseWindow();

    std::unique_ptr<QTemporaryDir> m_demoDir;
    std::unique_ptr<GuiAppInstance> m_instance;
    bool m_forwarded = false;
    std::unique_ptr<DialogUi> m_dialogs;
    std::unique_ptr<NetworkArchiveSource> m_source;
    std::unique_ptr<Workspace> m_workspace;
    std::unique_ptr<MainWindow> m_window;
    QString m_dataFolder;
};
