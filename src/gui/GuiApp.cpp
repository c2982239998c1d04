// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/GuiApp.h"

#include "acquire/NetworkArchiveSource.h"
#include "gui/ConnectionCheck.h"
#include "gui/DialogUi.h"
#include "gui/GameUpdater.h"
#include "gui/GuiAppInstance.h"
#include "gui/MainWindow.h"
#include "history/DemoHistory.h"
#include "shell/AppPaths.h"
#include "shell/CommandLineText.h"
#include "shell/CommandUnits.h"
#include "shell/OutcomeView.h"
#include "shell/UserInterface.h"
#include "shell/VersionText.h"
#include "shell/Workspace.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDate>
#include <QDir>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QLocale>
#include <QMessageBox>
#include <QNetworkInformation>
#include <QSettings>
#include <QTemporaryDir>
#include <QTimer>
#include <QTranslator>
#include <cstdio>
#include <cstdlib>

namespace {

// Off line when the machine has no usable interface or the backend says so; otherwise the
// download is tried and reports its own failure.
WorkspaceConfig::Connection connectionHint()
{
    return ConnectionCheck::mayBeOnline() ? WorkspaceConfig::Connection::Online : WorkspaceConfig::Connection::Offline;
}

// Like tiravol-cli: the fault, where the help is, and status 2.
[[noreturn]] void usageFailure(const QString& text)
{
    const QByteArray message
        = QStringLiteral("tiravol : %1\n%2\n").arg(text, CommandLineText::tryHelp(QStringLiteral("tiravol"))).toUtf8();
    std::fputs(message.constData(), stderr);
    std::exit(2);
}

} // namespace

void GuiApp::setUpApplication()
{
    // Qt's own French texts for the standard buttons of message, input and file dialogs,
    // whatever the system's language. Installed once.
    static QTranslator* qtTexts = nullptr;
    if (qtTexts || !QCoreApplication::instance())
        return;
    qtTexts = new QTranslator(QCoreApplication::instance());
    if (qtTexts->load(QLocale(QLocale::French, QLocale::France), QStringLiteral("qtbase"), QStringLiteral("_"),
                      QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(qtTexts);
}

GuiApp::GuiApp(UserInterface* ui, OutcomeView* view) : m_externalUi(ui), m_externalView(view) { }

GuiApp::~GuiApp()
{
    // The window goes first: it refers to the Workspace, which refers to the dialogs.
    m_window.reset();
    m_workspace.reset();
}

GuiApp::Options GuiApp::parseArguments(const QStringList& arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Statistiques du Keno"));
    // Qt's own help option speaks English and offers Qt's options: ours are French and alone.
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")}, QStringLiteral("Affiche cette aide et quitte."));
    const QCommandLineOption version({QStringLiteral("v"), QStringLiteral("version")},
                                     QStringLiteral("Affiche le nom et la version du programme et quitte."));
    parser.addOption(help);
    parser.addOption(version);
    const QCommandLineOption demo(QStringLiteral("demo"),
                                  QStringLiteral("Démonstration : un historique généré dans un dossier temporaire."));
    const QCommandLineOption dataDir(QStringLiteral("data-dir"), QStringLiteral("Dossier des historiques de tirages."),
                                     QStringLiteral("DOSSIER"));
    QCommandLineOption quit(QStringLiteral("quit-after-start"), QStringLiteral("Fermer après le démarrage."));
    quit.setFlags(QCommandLineOption::HiddenFromHelp);
    parser.addOption(demo);
    parser.addOption(dataDir);
    parser.addOption(quit);
    // Qt's own texts are English: the mistakes are found and worded here first.
    if (const auto fault = CommandLineText::findFault({help, version, demo, dataDir, quit}, arguments.mid(1)))
        usageFailure(CommandLineText::describe(*fault));
    if (!parser.parse(arguments))
        usageFailure(QStringLiteral("ligne de commande illisible"));
    if (parser.isSet(help))
        parser.showHelp(0);
    if (parser.isSet(version))
        parser.showVersion();
    if (!parser.positionalArguments().isEmpty())
        usageFailure(QStringLiteral("« %1 » : argument inattendu").arg(parser.positionalArguments().constFirst()));
    Options options;
    options.quitAfterStart = parser.isSet(quit);
    options.demo = parser.isSet(demo);
    options.dataDir = parser.value(dataDir);
    return options;
}

bool GuiApp::start(const Options& options, QString* error)
{
    WorkspaceConfig config;
    const QString program = QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName();
    if (!program.isEmpty())
        config.programName = program;
    QString titleSuffix;
    if (options.demo) {
        if (!useDemoFolder(config, error))
            return false;
        titleSuffix = QStringLiteral(" (démonstration)");
    } else {
        config.dataFolder = options.dataDir.isEmpty() ? AppPaths::documentsFolder() : QDir(options.dataDir).absolutePath();
        config.appDataFolder = AppPaths::appDataFolder();
        config.offerFirstRun = true;
        // A demonstration's folder is its own: only the player's folder has one window.
        if (forwardToRunning(config.dataFolder, m_externalView))
            return false;
    }
    m_dataFolder = config.dataFolder;
    config.gameFromSettings = true;

    if (!QNetworkInformation::instance())
        QNetworkInformation::loadDefaultBackend();
    config.connection = connectionHint;

    UserInterface* ui = m_externalUi;
    OutcomeView* view = m_externalView;
    if (!ui || !view) {
        m_dialogs = std::make_unique<DialogUi>();
        m_dialogs->setSaveFolder(config.dataFolder);
        ui = m_dialogs.get();
        view = m_dialogs.get();
    }
    m_workspace = std::make_unique<Workspace>(config, ui);
    m_source = std::make_unique<NetworkArchiveSource>();
    m_workspace->units().import.setSource(m_source.get());

    m_window = std::make_unique<MainWindow>(*m_workspace, *ui, *view);
    m_window->setTitleSuffix(titleSuffix);
    // The generated draws would contradict every real one.
    m_window->gameUpdater().setAllowed(!options.demo);
    if (m_dialogs)
        m_dialogs->setParentWidget(m_window.get());
    m_window->showPlaced();
    if (m_instance)
        m_instance->listen([this] { raiseWindow(); });
    // Start-up messages belong over the window, so they wait until it is on screen.
    QTimer::singleShot(0, m_window.get(), [window = m_window.get()] { window->startUp(); });
    if (options.quitAfterStart)
        QTimer::singleShot(0, m_window.get(), [window = m_window.get()] { window->close(); });
    return true;
}

bool GuiApp::useDemoFolder(WorkspaceConfig& config, QString* error)
{
    m_demoDir = std::make_unique<QTemporaryDir>();
    if (!m_demoDir->isValid()) {
        if (error)
            *error = QStringLiteral("Dossier temporaire impossible à créer : %1").arg(m_demoDir->errorString());
        return false;
    }
    config.dataFolder = m_demoDir->path();
    if (!DemoHistory::writeDemoFolder(config.dataFolder, QDate::currentDate().addDays(-1), error))
        return false;
    // The demonstration never touches the user's own settings, nor those Qt's dialogs keep.
    config.appDataFolder = QDir(config.dataFolder).filePath(QStringLiteral("config"));
    QDir().mkpath(config.appDataFolder);
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, config.appDataFolder);
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, config.appDataFolder);
    return true;
}

bool GuiApp::forwardToRunning(const QString& dataFolder, OutcomeView* view)
{
    m_instance = std::make_unique<GuiAppInstance>(dataFolder);
    if (!m_instance->forwardToRunning())
        return false;
    m_instance.reset();
    m_forwarded = true;
    const QString text = QStringLiteral("Tiravol est déjà ouvert sur le dossier « %1 » : sa fenêtre est mise au premier plan.")
                             .arg(QDir::toNativeSeparators(dataFolder));
    if (view)
        view->show(CommandOutcome::told(Notice{text, QStringLiteral("Tiravol"), true}));
    else
        QMessageBox::information(nullptr, QStringLiteral("Tiravol"), text);
    return true;
}

void GuiApp::raiseWindow()
{
    if (!m_window)
        return;
    m_window->setWindowState((m_window->windowState() & ~Qt::WindowMinimized) | Qt::WindowActive);
    m_window->show();
    m_window->raise();
    m_window->activateWindow();
}

int GuiApp::run()
{
    QCoreApplication::setApplicationVersion(VersionText::release());
    setUpApplication();
    const Options options = parseArguments(QCoreApplication::arguments());
    QString error;
    if (!start(options, &error)) {
        if (m_forwarded)
            return 0;
        QMessageBox::critical(nullptr, QStringLiteral("Tiravol"), error);
        return 1;
    }
    return QApplication::exec();
}
