// SPDX-License-Identifier: GPL-3.0-or-later
#include "acquire/AutoUpdate.h"
#include "acquire/HistoryImport.h"
#include "acquire/LocalArchiveSource.h"
#include "acquire/NetworkArchiveSource.h"
#include "support/GameArchive.h"
#include "support/LocalHttpServer.h"
#include "support/TestSupport.h"

#include <QElapsedTimer>

namespace {

using namespace std::chrono_literals;

const QDate kFirst(2026, 12, 1);

using TestSupport::LocalHttpServer;

// The operator's server on 127.0.0.1, its archive a ZIP made here; a window's history in memory
// and the import with all its checks between them.
class AutoUpdateTest : public ::testing::Test {
protected:
    LocalHttpServer m_server;
    const QByteArrayList& m_requests = m_server.requests();
    QTemporaryDir m_temp;
    NetworkArchiveSource m_source;
    std::vector<GameArchive::Draw> m_draws = GameArchive::draws(7, kFirst); // up to 07/12/2026
    DrawList m_history;
    QDateTime m_now;
    UpdateSchedule m_schedule{Formula::current()};
    std::unique_ptr<AutoUpdate> m_update;
    QStringList m_news, m_waits, m_failures;
    int m_ended = 0;
    bool m_busy = false; // the window runs a command: the history cannot take the archive now

    void SetUp() override
    {
        ASSERT_TRUE(m_server.listen());
        m_server.reply("/moved.zip", LocalHttpServer::answer(301, {}, "Location: /keno.zip\r\n"));
        m_source.setIdleTimeout(2s);
        m_history.setFormula(FormulaId::Keno16of56);
        for (const QString& line : GameArchive::lines(m_draws).mid(0, 6))
            m_history.append(line);
        serve(7);
        m_now = QDateTime(QDate(2026, 12, 7), QTime(20, 20));
        m_update = std::make_unique<AutoUpdate>(
            m_source, m_temp.filePath(QStringLiteral("keno_16-56.zip")), [this](const QString& path) { return import(path); },
            [this] { return m_schedule.timeOf(m_history.text(m_history.drawCount() - 1)); });
        m_update->setClock([this] { return m_now; });
        m_update->setAddress(url("/keno.zip"));
        QObject::connect(m_update.get(), &AutoUpdate::newDraws, [this](int, const QString& text) { m_news << text; });
        QObject::connect(m_update.get(), &AutoUpdate::nothingNewYet,
                         [this](const QDateTime&, const QString& text) { m_waits << text; });
        QObject::connect(m_update.get(), &AutoUpdate::failed, [this](const QString& text) { m_failures << text; });
        QObject::connect(m_update.get(), &AutoUpdate::checkEnded, [this] { ++m_ended; });
    }

    QString url(const char* path) const { return m_server.url(path); }
    // The archive on the server holds the first `count` draws.
    void serve(int count)
    {
        const std::vector<GameArchive::Draw> some(m_draws.begin(), m_draws.begin() + count);
        m_server.serveFile("/keno.zip",
                           *LocalArchiveSource::zipOneFile(QStringLiteral("keno_202511.csv"), GameArchive::csv(some), nullptr));
    }
    // As the window does: every check of the import, then the draws appended.
    AutoUpdate::Imported import(const QString& path)
    {
        const HistoryImport::Outcome outcome = HistoryImport::run(path, m_history, m_now.date());
        AutoUpdate::Imported imported;
        imported.busy = m_busy;
        if (m_busy)
            return imported;
        for (const QString& line : outcome.checked.lines)
            m_history.append(line);
        imported.added = static_cast<int>(outcome.checked.lines.size());
        imported.failure = outcome.nothingNew ? QString() : outcome.failure;
        return imported;
    }
    // Runs one check to its end.
    bool check(bool viaStart = false)
    {
        const int before = m_ended;
        viaStart ? m_update->start() : m_update->checkNow();
        return TestSupport::waitFor([&] { return m_ended > before; });
    }
};

} // namespace

TEST(UpdateSchedule, ADrawIsLookedForAQuarterOfAnHourAfterItAndFromTheGamesFirstDay)
{
    const UpdateSchedule schedule(Formula::current());
    const auto at = [](int day, int hour, int minute) { return QDateTime(QDate(2026, 12, day), QTime(hour, minute)); };
    EXPECT_EQ(schedule.latestDue(at(7, 20, 14)), at(6, 20, 0));
    EXPECT_EQ(schedule.latestDue(at(7, 20, 15)), at(7, 20, 0));
    EXPECT_EQ(schedule.nextPublication(at(7, 20, 14)), at(7, 20, 15));
    EXPECT_EQ(schedule.nextPublication(at(7, 20, 15)), at(8, 20, 15));
    EXPECT_TRUE(schedule.lacksDraw(at(7, 21, 0), at(6, 20, 0)));
    EXPECT_FALSE(schedule.lacksDraw(at(7, 21, 0), at(7, 20, 0)));
    EXPECT_TRUE(schedule.lacksDraw(at(7, 21, 0), QDateTime()));
    // Before the game's first draw there is nothing to wait for.
    EXPECT_FALSE(schedule.latestDue(QDateTime(QDate(2025, 11, 3), QTime(20, 10))).isValid());
    EXPECT_EQ(schedule.timeOf(GameArchive::line({QDate(2026, 12, 6), GameArchive::sixteen(0)})), at(6, 20, 0));
    EXPECT_FALSE(schedule.timeOf(TestSupport::drawFrom("06/12/2026", 1)).isValid()); // no midday draw in this game
}

// At start the history lacks the evening's draw: it is fetched, imported and announced.
TEST_F(AutoUpdateTest, ANewDrawIsFetchedImportedAndAnnounced)
{
    ASSERT_TRUE(check(true));
    EXPECT_EQ(m_requests, QByteArrayList{"/keno.zip"});
    EXPECT_EQ(m_news, QStringList{QStringLiteral("Mise à jour du Keno 16 sur 56 : 1 tirage nouveau, jusqu'au 07/12/2026.")});
    EXPECT_EQ(m_history.toStringList(), GameArchive::lines(m_draws));
    EXPECT_TRUE(m_failures.isEmpty() && m_waits.isEmpty());
    EXPECT_EQ(m_update->nextCheck(), QDateTime(QDate(2026, 12, 8), QTime(20, 15)));

    // The history up to date, a start fetches nothing and waits for the next draw.
    m_update->start();
    EXPECT_FALSE(m_update->isFetching());
    EXPECT_EQ(m_requests.size(), 1);
}

// Before the draw is published, the update waits; its timer then fetches on its own.
TEST_F(AutoUpdateTest, TheTimerFetchesOnceTheDrawMayBeOut)
{
    m_now = QDateTime(QDate(2026, 12, 7), QTime(20, 14, 59, 800));
    m_update->start();
    EXPECT_EQ(m_requests.size(), 0);
    EXPECT_EQ(m_update->nextCheck(), QDateTime(QDate(2026, 12, 7), QTime(20, 15)));
    m_now = m_now.addSecs(2);
    ASSERT_TRUE(TestSupport::waitFor([this] { return m_ended == 1; }));
    EXPECT_EQ(m_news.size(), 1);
    EXPECT_EQ(m_history.drawCount(), 7);
}

TEST_F(AutoUpdateTest, NoNewDrawYetPlansAnotherTryAnHourLater)
{
    serve(6);
    ASSERT_TRUE(check(true));
    EXPECT_TRUE(m_news.isEmpty());
    EXPECT_EQ(m_waits,
              QStringList{QStringLiteral(
                  "Le tirage du 07/12/2026 n'est pas encore dans l'archive du Keno 16 sur 56 : nouvel essai à 21:20.")});
    EXPECT_EQ(m_update->nextCheck(), QDateTime(QDate(2026, 12, 7), QTime(21, 20)));
    EXPECT_TRUE(m_failures.isEmpty());

    // An hour later the draw is there.
    serve(7);
    m_now = m_now.addSecs(3600);
    ASSERT_TRUE(check());
    EXPECT_EQ(m_news.size(), 1);
    EXPECT_EQ(m_update->nextCheck(), QDateTime(QDate(2026, 12, 8), QTime(20, 15)));
}

// A server that does not answer is said once, with the address and where to change it.
TEST_F(AutoUpdateTest, AServerDownIsSaidOnceWithTheAddressAndWhereToChangeIt)
{
    const QString down = LocalHttpServer::downAddress();
    m_update->setAddress(down);
    ASSERT_TRUE(check(true));
    ASSERT_EQ(m_failures.size(), 1);
    EXPECT_TRUE(TestSupport::contains(m_failures[0], QStringLiteral("Adresse essayée : ") + down));
    EXPECT_TRUE(TestSupport::contains(m_failures[0], QStringLiteral("connexion refusée")));
    EXPECT_TRUE(TestSupport::contains(m_failures[0], QStringLiteral("section [URL], clé FileFdesjeux16-56")));
    EXPECT_EQ(m_update->nextCheck(), m_now.addSecs(3600));

    // The hourly tries say nothing more.
    ASSERT_TRUE(check());
    EXPECT_EQ(m_failures.size(), 1);

    // Once it works again, a later failure is news again.
    m_update->setAddress(url("/keno.zip"));
    ASSERT_TRUE(check());
    EXPECT_EQ(m_news.size(), 1);
    m_update->setAddress(down);
    ASSERT_TRUE(check());
    EXPECT_EQ(m_failures.size(), 2);
}

// An archive that moved: a redirect is followed, a missing page is a failure naming the address.
TEST_F(AutoUpdateTest, AnAddressThatMoved)
{
    m_update->setAddress(url("/moved.zip"));
    ASSERT_TRUE(check(true));
    EXPECT_EQ(m_requests, QByteArrayList({"/moved.zip", "/keno.zip"}));
    EXPECT_EQ(m_news.size(), 1);

    m_now = m_now.addDays(1);
    m_update->setAddress(url("/gone.zip"));
    ASSERT_TRUE(check());
    ASSERT_EQ(m_failures.size(), 1);
    EXPECT_TRUE(TestSupport::contains(m_failures[0], QStringLiteral("le serveur a répondu 404")));
    EXPECT_TRUE(TestSupport::contains(m_failures[0], url("/gone.zip")));
    EXPECT_EQ(m_history.drawCount(), 7);
}

// The other game's archive at the address: refused by the import, said once, nothing appended.
TEST_F(AutoUpdateTest, AnArchiveTheImportRefusesIsAFailure)
{
    m_server.serveFile("/keno.zip",
                       *LocalArchiveSource::zipOneFile(QStringLiteral("keno.csv"),
                                                       TestSupport::operatorCsv(TestSupport::makeHistory(4, QDate(2025, 10, 1))),
                                                       nullptr));
    ASSERT_TRUE(check(true));
    ASSERT_EQ(m_failures.size(), 1);
    EXPECT_TRUE(TestSupport::contains(
        m_failures[0],
        QStringLiteral("Cette archive est celle du Keno 20 sur 70 ; l'historique ouvert est celui du Keno 16 sur 56.")));
    EXPECT_EQ(m_history.drawCount(), 6);
    ASSERT_TRUE(check());
    EXPECT_EQ(m_failures.size(), 1);
}

TEST_F(AutoUpdateTest, TurnedOffItFetchesNothing)
{
    m_update->setEnabled(false);
    m_update->start();
    m_update->checkNow();
    EXPECT_FALSE(m_update->isFetching());
    EXPECT_FALSE(m_update->nextCheck().isValid());
    EXPECT_TRUE(m_requests.isEmpty());
    // Turned on again, it catches up at once.
    const int before = m_ended;
    m_update->setEnabled(true);
    ASSERT_TRUE(TestSupport::waitFor([&] { return m_ended > before; }));
    EXPECT_EQ(m_requests, QByteArrayList{"/keno.zip"});
    EXPECT_EQ(m_news.size(), 1);
}

// Turned off or closed during a transfer: the transfer stops, nothing is imported or said.
TEST_F(AutoUpdateTest, ATransferUnderWayStopsWhenTurnedOffOrClosed)
{
    m_source.setIdleTimeout(60s);
    m_update->setAddress(url("/stall.zip"));
    m_update->checkNow();
    ASSERT_TRUE(TestSupport::waitFor([this] { return !m_requests.isEmpty(); }));
    m_update->setEnabled(false);
    ASSERT_TRUE(TestSupport::waitFor([this] { return m_ended == 1; }));
    EXPECT_TRUE(m_failures.isEmpty() && m_news.isEmpty() && m_waits.isEmpty());
    EXPECT_FALSE(m_update->nextCheck().isValid());

    m_update->setEnabled(true); // fetches again at once: the history lacks the evening's draw
    ASSERT_TRUE(TestSupport::waitFor([this] { return m_requests.size() == 2; }));
    EXPECT_TRUE(m_update->isFetching());
    // Off and on again at once: the stopped transfer is no failure, a new one starts.
    m_update->setEnabled(false);
    m_update->setEnabled(true);
    ASSERT_TRUE(TestSupport::waitFor([this] { return m_requests.size() == 3; }));
    EXPECT_TRUE(m_failures.isEmpty());
    EXPECT_TRUE(m_update->isFetching());
    QElapsedTimer closing;
    closing.start();
    m_update.reset();
    EXPECT_LT(closing.elapsed(), 5000);
    EXPECT_EQ(m_history.drawCount(), 6);
}

// A window busy with a command takes the archive a few minutes later, saying nothing meanwhile
// and downloading nothing again.
TEST_F(AutoUpdateTest, ABusyHistoryTakesTheArchiveShortlyInSilence)
{
    m_busy = true;
    ASSERT_TRUE(check(true));
    EXPECT_TRUE(m_news.isEmpty() && m_waits.isEmpty() && m_failures.isEmpty());
    EXPECT_EQ(m_update->nextCheck(), m_now.addSecs(AutoUpdate::kBusyRetryMinutes * 60));
    EXPECT_EQ(m_history.drawCount(), 6);
    const qsizetype downloads = m_server.requests().size();
    m_busy = false;
    ASSERT_TRUE(check());
    EXPECT_EQ(m_news.size(), 1);
    EXPECT_EQ(m_history.drawCount(), 7);
    EXPECT_EQ(m_server.requests().size(), downloads);
    // The next check fetches again.
    m_now = m_now.addDays(1);
    ASSERT_TRUE(check());
    EXPECT_GT(m_server.requests().size(), downloads);
}
