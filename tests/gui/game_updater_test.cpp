// SPDX-License-Identifier: GPL-3.0-or-later
// The window keeps the new game's history up to date from a server on this machine: the draws
// imported through the Workspace, what came of it in the status bar, the Jeu menu's setting.
#include "support/WindowFixture.h"

#include "acquire/AutoUpdate.h"
#include "acquire/LocalArchiveSource.h"
#include "gui/GameUpdater.h"
#include "shell/Settings.h"
#include "support/GameArchive.h"
#include "support/LocalHttpServer.h"

#include <QLabel>

using namespace TestSupport;

namespace {

using namespace std::chrono_literals;

class GameUpdaterTest : public WindowTest {
protected:
    // Evenings from 01/12/2026 to 07/12/2026; the window's history holds the first six.
    const std::vector<GameArchive::Draw> m_draws = GameArchive::draws(7, QDate(2026, 12, 1));
    const QStringList lines = GameArchive::lines(m_draws);
    LocalHttpServer m_server;
    QDateTime m_now = QDateTime(QDate(2026, 12, 7), QTime(20, 30));
    int m_ended = 0;
    WorkspaceConfig::Connection m_connection = WorkspaceConfig::Connection::Online;

    void SetUp() override
    {
        ASSERT_TRUE(m_server.listen());
        serve(7);
        writeFile(path("Tirages_keno_16-56.txt"), crlf(lines.mid(0, 6)));
        writeFile(path("Tirages_16-56.txt"), crlf(lines.mid(0, 6)));
        writeHistory(makeHistory(40));
        m_config.gameFromSettings = true;
        m_config.connection = [this] { return m_connection; };
        m_ui.fixedToday = m_now.date();
        setting(QStringLiteral("URL"), Formula::current().archiveUrlKey, m_server.url("/keno.zip"));
    }
    void setting(const QString& section, const QString& key, const QString& value) const
    {
        ASSERT_TRUE(Settings(Settings::iniPath(m_config.appDataFolder), true).write(section, key, value));
    }
    void serve(int count)
    {
        const std::vector<GameArchive::Draw> some(m_draws.begin(), m_draws.begin() + count);
        m_server.serveFile("/keno.zip",
                           *LocalArchiveSource::zipOneFile(QStringLiteral("keno_202511.csv"), GameArchive::csv(some), nullptr));
    }
    // The window on the game `key`, its update's clock at m_now, started as the program starts it.
    void openOn(const char* key)
    {
        setting(QStringLiteral("Jeu"), QStringLiteral("Formule"), QString::fromLatin1(key));
        m_window.reset();
        m_ws = std::make_unique<Workspace>(m_config, &m_ui);
        m_window = std::make_unique<MainWindow>(*m_ws, m_ui, m_ui);
        AutoUpdate& update = m_window->gameUpdater().update();
        update.setClock([this] { return m_now; });
        m_window->gameUpdater().source().setIdleTimeout(2s);
        QObject::connect(&update, &AutoUpdate::checkEnded, &update, [this] { ++m_ended; });
        m_window->show();
        m_window->startUp();
    }
    bool checkEnded(int count)
    {
        return waitFor([&] { return m_ended >= count; });
    }
    QString status() const
    {
        const auto* label = get<QLabel>("MiseAJourAuto");
        return label && label->isVisible() ? label->text() : QString();
    }
};

} // namespace

// The new game on screen: the evening's draw is fetched at start, its list grows, is saved and
// ranked, and the status bar says so.
TEST_F(GameUpdaterTest, ANewDrawIsImportedIntoTheGameShownAndAnnounced)
{
    openOn("16-56");
    ASSERT_TRUE(checkEnded(1));
    EXPECT_EQ(m_server.requests(), QByteArrayList{"/keno.zip"});
    EXPECT_EQ(readFile(path("Tirages_keno_16-56.txt")), crlf(lines));
    EXPECT_EQ(m_ws->state().drawLines(), lines);
    EXPECT_EQ(m_ws->report().title, QStringLiteral("Classement par sorties au 07/12/2026"));
    EXPECT_EQ(status(), QStringLiteral("Mise à jour du Keno 16 sur 56 : 1 tirage nouveau, jusqu'au 07/12/2026."));
    EXPECT_EQ(readFile(path("Tirages_keno.txt")), crlf(m_history));
}

// The classic game on screen: the new game's file grows on disk, the list shown stays.
TEST_F(GameUpdaterTest, WhileTheClassicGameIsShownTheNewGamesFileGrows)
{
    openOn("20-70");
    ASSERT_TRUE(checkEnded(1));
    EXPECT_EQ(readFile(path("Tirages_keno_16-56.txt")), crlf(lines));
    EXPECT_EQ(m_ws->state().drawLines(), m_history);
    EXPECT_TRUE(status().contains(QStringLiteral("1 tirage nouveau")));
}

TEST_F(GameUpdaterTest, NoNewDrawYetIsSaidAndNothingWritten)
{
    serve(6);
    openOn("16-56");
    ASSERT_TRUE(checkEnded(1));
    EXPECT_EQ(readFile(path("Tirages_keno_16-56.txt")), crlf(lines.mid(0, 6)));
    EXPECT_EQ(status(),
              QStringLiteral("Le tirage du 07/12/2026 n'est pas encore dans l'archive du Keno 16 sur 56 : nouvel "
                             "essai à 21:30."));
}

// A server down is said once, with the address tried and where the window's settings keep it.
TEST_F(GameUpdaterTest, AServerDownIsSaidOnceWithTheAddressAndTheSettingsKey)
{
    const QString down = LocalHttpServer::downAddress();
    setting(QStringLiteral("URL"), Formula::current().archiveUrlKey, down);
    openOn("16-56");
    int failures = 0;
    AutoUpdate& update = m_window->gameUpdater().update();
    QObject::connect(&update, &AutoUpdate::failed, &update, [&failures] { ++failures; });
    ASSERT_TRUE(checkEnded(1));
    ASSERT_EQ(failures, 1);
    const QString text = status();
    EXPECT_TRUE(text.contains(QStringLiteral("Adresse essayée : ") + down)) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("dans le fichier des réglages « %1 », section « URL », clé « FileFdesjeux16-56 »")
                                  .arg(QDir::toNativeSeparators(m_ws->settingsPath()))))
        << text.toStdString();
    m_window->gameUpdater().update().checkNow();
    ASSERT_TRUE(checkEnded(2));
    EXPECT_EQ(failures, 1);
    EXPECT_EQ(readFile(path("Tirages_keno_16-56.txt")), crlf(lines.mid(0, 6)));
}

// Turned off in the settings nothing is fetched; the Jeu menu turns it on, keeps the choice and
// catches up at once.
TEST_F(GameUpdaterTest, TurnedOffNothingIsFetchedUntilTheMenuTurnsItOn)
{
    setting(QStringLiteral("Jeu"), QStringLiteral("MiseAJourAuto"), QStringLiteral("0"));
    openOn("16-56");
    QAction* item = get("MiseAJour");
    ASSERT_TRUE(item);
    EXPECT_TRUE(item->isCheckable());
    EXPECT_FALSE(item->isChecked());
    EXPECT_FALSE(m_window->gameUpdater().update().isEnabled());
    QCoreApplication::processEvents();
    EXPECT_TRUE(m_server.requests().isEmpty());

    item->trigger();
    EXPECT_TRUE(item->isChecked());
    // The game's own rows stay ticked: the setting is no choice of game.
    EXPECT_TRUE(get("Jeu1656")->isChecked());
    EXPECT_EQ(Settings(m_ws->settingsPath(), false).read(QStringLiteral("Jeu"), QStringLiteral("MiseAJourAuto"), {}),
              QStringLiteral("1"));
    ASSERT_TRUE(checkEnded(1));
    EXPECT_EQ(readFile(path("Tirages_keno_16-56.txt")), crlf(lines));

    item->trigger();
    EXPECT_FALSE(item->isChecked());
    EXPECT_FALSE(m_window->gameUpdater().update().isEnabled());
    EXPECT_FALSE(m_window->gameUpdater().update().nextCheck().isValid());
}

// A Workspace without a connection check (a test's, the command line's) never fetches.
TEST_F(GameUpdaterTest, WithoutAConnectionCheckNothingIsFetched)
{
    m_config.connection = nullptr;
    openOn("16-56");
    EXPECT_FALSE(m_window->gameUpdater().update().isEnabled());
    QCoreApplication::processEvents();
    EXPECT_TRUE(m_server.requests().isEmpty());
}

// Off line at start the update waits; once the machine may be on line it catches up.
TEST_F(GameUpdaterTest, OffLineItWaitsForTheConnection)
{
    m_connection = WorkspaceConfig::Connection::Offline;
    openOn("16-56");
    EXPECT_FALSE(m_window->gameUpdater().update().isEnabled());
    QCoreApplication::processEvents();
    EXPECT_TRUE(m_server.requests().isEmpty());
    EXPECT_EQ(status(), QString());

    m_connection = WorkspaceConfig::Connection::Online;
    m_ws->setExportEnabled(true); // any change of the menus looks again
    ASSERT_TRUE(checkEnded(1));
    EXPECT_EQ(readFile(path("Tirages_keno_16-56.txt")), crlf(lines));
}
