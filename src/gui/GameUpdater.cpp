// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/GameUpdater.h"

#include "acquire/ArchiveImport.h"
#include "acquire/AutoUpdate.h"
#include "shell/Settings.h"
#include "shell/Workspace.h"

#include <QDir>
#include <QLabel>
#include <QStatusBar>
#include <chrono>

GameUpdater::GameUpdater(Workspace& workspace, QStatusBar* bar, RunCommand run, QObject* parent)
    : QObject(parent), m_ws(workspace), m_run(std::move(run))
{
    const Formula& game = Formula::current();
    const FormulaId id = game.id;
    m_update = std::make_unique<AutoUpdate>(
        m_source, QDir(m_ws.config().dataFolder).filePath(ArchiveImport::archiveName(id)),
        [this, id](const QString& path) {
            AutoUpdate::Imported imported;
            // Never in the middle of a command: its questions may be waiting on the list.
            imported.busy = !m_run([&] {
                const UpdateCommand::Result result = m_ws.importUpdate(path, id);
                imported.added = result.added;
                imported.failure = result.failure;
            });
            return imported;
        },
        [this, id, schedule = UpdateSchedule(game)] { return schedule.timeOf(m_ws.newestDraw(id)); }, game, this);
    m_update->setEnabled(false);
    m_label = new QLabel(bar);
    m_label->setObjectName(QStringLiteral("MiseAJourAuto"));
    m_label->hide();
    bar->addPermanentWidget(m_label);
    connect(m_update.get(), &AutoUpdate::newDraws, this, [this](int, const QString& text) { announce(text); });
    connect(m_update.get(), &AutoUpdate::nothingNewYet, this, [this](const QDateTime&, const QString& text) { announce(text); });
    connect(m_update.get(), &AutoUpdate::failed, this, &GameUpdater::announce);
    // The next fetch goes to the address the settings give by then.
    connect(m_update.get(), &AutoUpdate::checkEnded, this, &GameUpdater::readAddress);
    connect(&m_ws, &Workspace::changed, this, [this](unsigned parts) {
        if (parts & Workspace::MenuPart)
            follow();
    });
    m_onlineWait.setInterval(std::chrono::minutes(kOnlineCheckMinutes));
    connect(&m_onlineWait, &QTimer::timeout, this, &GameUpdater::follow);
}

GameUpdater::~GameUpdater() = default;

void GameUpdater::start()
{
    m_started = true;
    follow();
}

void GameUpdater::setAllowed(bool allowed)
{
    m_allowed = allowed;
    follow();
}

void GameUpdater::follow()
{
    const auto& connection = m_ws.config().connection;
    const bool wanted = m_started && m_allowed && connection && m_ws.autoUpdate() && !m_ws.demonstration();
    if (!wanted) {
        m_onlineWait.stop();
        m_update->setEnabled(false);
        return;
    }
    if (m_update->isEnabled())
        return;
    // Off line, a fetch would only fail: the update waits for the machine to be on line.
    if (connection() == WorkspaceConfig::Connection::Offline) {
        m_onlineWait.start();
        return;
    }
    m_onlineWait.stop();
    readAddress();
    m_update->setEnabled(true);
}

void GameUpdater::readAddress()
{
    const Formula& game = Formula::current();
    m_update->setAddress(Settings(m_ws.settingsPath(), false).archiveUrl(game));
    m_update->setAddressPlace(QStringLiteral("dans le fichier des réglages « %1 », section « URL », clé « %2 »")
                                  .arg(QDir::toNativeSeparators(m_ws.settingsPath()), game.archiveUrlKey));
}

void GameUpdater::announce(const QString& text)
{
    // One line in the bar, the whole text under the pointer.
    m_label->setText(QString(text).replace(QLatin1Char('\n'), QLatin1Char(' ')));
    m_label->setToolTip(text);
    m_label->show();
}
