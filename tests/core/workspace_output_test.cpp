// SPDX-License-Identifier: GPL-3.0-or-later
// The about box, the web page, the help document and the base history built from archives.
#include "shell/DataFolderLock.h"
#include "shell/Workspace.h"

#include "shell/CommandUnits.h"
#include "shell/JobRunner.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QRegularExpression>
#include <QUrl>
#include <atomic>

using namespace TestSupport;

namespace {

class WorkspaceOutputTest : public WorkspaceFixture {
protected:
    WorkspaceConfig::Connection m_connection = WorkspaceConfig::Connection::Online;

    QString ini() const { return m_config.filePath(QStringLiteral("Varn/tiravol.ini")); }

    void make()
    {
        WorkspaceConfig config = this->config();
        config.quietWhenNoWorkingHistory = true;
        config.connection = [this] { return m_connection; };
        m_ws = std::make_unique<Workspace>(config, &m_ui);
        m_ui.watch(*m_ws);
    }
    void start(const QStringList& history)
    {
        writeFile(working(), crlf(history));
        writeFile(dataFile("Tirages.txt"), crlf(history));
        make();
        m_ui.show(m_ws->startUp());
        m_ui.messages.clear();
    }
    QString archive(const char* name, const QStringList& draws)
    {
        writeFile(dataFile(name), operatorCsv(draws));
        return dataFile(name);
    }
    // The only message shown since the last look.
    QString onlyMessage()
    {
        const QString text
            = m_ui.messages.size() == 1 ? m_ui.messages[0].text : QStringLiteral("<%1 messages>").arg(m_ui.messages.size());
        m_ui.messages.clear();
        return text;
    }
};

TEST_F(WorkspaceOutputTest, AboutBoxGivesTheProgramAndItsVersionOnTwoLines)
{
    make();
    m_ui.show(m_ws->units().output.aPropos());
    ASSERT_EQ(m_ui.messages.size(), 1u);
    EXPECT_TRUE(m_ui.messages[0].information);
    EXPECT_EQ(m_ui.messages[0].title + m_ui.messages[0].text,
              QStringLiteral("TiravolTiravol version \r\n") + m_ws->versionText());
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^\\d+-\\d\\d-\\d\\d\\d\\d$")).match(m_ws->versionText()).hasMatch());
}

TEST_F(WorkspaceOutputTest, WebPageOpensTheSettingsAddressOrTheDefaultWrittenBackAndOffLineOnlyTells)
{
    const QUrl contact(QStringLiteral("https://tiravol.fr/contact"));
    // Without a connection test, and with read-only settings, nothing is written.
    WorkspaceConfig config = this->config();
    config.readOnlySettings = true;
    m_ws = std::make_unique<Workspace>(config, &m_ui);
    m_ui.watch(*m_ws);
    m_ui.show(m_ws->units().output.site());
    EXPECT_EQ(m_ui.openedUrls, QList<QUrl>{contact});
    EXPECT_FALSE(QFile::exists(ini()));

    m_ui.openedUrls.clear();
    m_connection = WorkspaceConfig::Connection::Offline;
    make();
    m_ui.show(m_ws->units().output.site());
    ASSERT_EQ(m_ui.messages.size(), 1u);
    EXPECT_EQ(m_ui.messages[0].text + m_ui.messages[0].title, QStringLiteral("Vous n'etes pas connecté à InternetTiravol"));
    EXPECT_FALSE(m_ui.messages[0].information); // no icon
    EXPECT_TRUE(m_ui.openedUrls.isEmpty());
    EXPECT_FALSE(QFile::exists(ini()));

    m_ui.messages.clear();
    m_connection = WorkspaceConfig::Connection::Online;
    m_ui.show(m_ws->units().output.site());
    EXPECT_EQ(m_ui.openedUrls, QList<QUrl>{contact});
    EXPECT_TRUE(m_ui.messages.empty());
    EXPECT_TRUE(contains(QString::fromUtf8(readFile(ini())), QStringLiteral("[URL]")));
    EXPECT_TRUE(contains(QString::fromUtf8(readFile(ini())), QStringLiteral("SiteTiravol=https://tiravol.fr/contact")));

    // An address of the player's own, with a query, is opened as written.
    writeFile(ini(), "[URL]\r\nFileFdesjeux=https://example.org/a.zip\r\nSiteTiravol=https://example.org/p?a=1&b=2\r\n");
    m_ui.show(m_ws->units().output.site());
    ASSERT_EQ(m_ui.openedUrls.size(), 2);
    EXPECT_EQ(m_ui.openedUrls[1].toString(), QStringLiteral("https://example.org/p?a=1&b=2"));

    // No browser took it: said, and nothing else changes.
    m_ui.viewerOpens = false;
    m_ui.show(m_ws->units().output.site());
    EXPECT_TRUE(contains(onlyMessage(), QStringLiteral("https://example.org/p?a=1&b=2")));
}

TEST_F(WorkspaceOutputTest, HelpOpensTheDocumentFoundBesideTheProgramOrSaysItIsMissing)
{
    // The system data folders are the only place a test binary's lookup can be pointed at.
    QTemporaryDir share;
    qputenv("XDG_DATA_HOME", QFile::encodeName(share.filePath(QStringLiteral("home"))));
    qputenv("XDG_DATA_DIRS", QFile::encodeName(share.path()));
    m_connection = WorkspaceConfig::Connection::Offline; // help needs no connection
    make();
    m_ui.show(m_ws->units().output.aide());
    EXPECT_TRUE(m_ui.openedUrls.isEmpty());
    EXPECT_TRUE(contains(onlyMessage(), QStringLiteral("« aidekeno.pdf » est introuvable")));

    const QString pdf = share.filePath(QStringLiteral("tiravol/aidekeno.pdf"));
    writeFile(pdf, "%PDF-1.4\n");
    // Opened when found (the window's test); when no viewer takes it, its place is said.
    m_ui.viewerOpens = false;
    m_ui.show(m_ws->units().output.aide());
    EXPECT_TRUE(contains(onlyMessage(), pdf));
    qunsetenv("XDG_DATA_HOME");
    qunsetenv("XDG_DATA_DIRS");
}

TEST_F(WorkspaceOutputTest, BaseBuiltFromOverlappingArchivesIsLoadedAndSummarised)
{
    const QStringList all = makeHistory(30, QDate(2019, 12, 20));
    make();
    m_ui.openNames.push_back({archive("ancienne.csv", all.mid(0, 20)), archive("recente.csv", all.mid(12))});
    m_ui.show(m_ws->construireHistorique());

    // The files written are the command line's test; the window takes the new history.
    EXPECT_EQ(m_ws->state().drawLines(), all);
    EXPECT_EQ(m_ws->drawCount(), 30);
    EXPECT_FALSE(m_ws->progress().visible);
    EXPECT_TRUE(m_ui.confirmTexts.isEmpty()); // nothing to replace
    ASSERT_EQ(m_ui.messages.size(), 1u);
    EXPECT_EQ(m_ui.messages[0].title, QStringLiteral("Construire l'historique"));
    // The summary's lines are the builder's; the ranking of the new history is shown.
    EXPECT_TRUE(startsWith(m_ui.messages[0].text, QStringLiteral("L'historique a été construit.\n\n")));
    EXPECT_EQ(m_ws->report().title, QStringLiteral("Classement par sorties au 03/01/2020"));
}

TEST_F(WorkspaceOutputTest, ExistingHistoryIsReplacedOnlyAfterYesAndKeepsTheDrawsTheArchivesLack)
{
    const QStringList all = makeHistory(30, QDate(2021, 3, 1), 3);
    // The player's history: the first 24 draws, one of them typed with other numbers.
    QStringList old = all.mid(0, 24);
    QString& typed = old[20];
    typed.replace(68, 2, typed.mid(68, 2) == QLatin1String("70") ? QStringLiteral("69") : QStringLiteral("70"));
    start(old);
    const QString a = archive("a.csv", all.mid(10, 12)), b = archive("b.csv", all.mid(16));

    // A line the archives contradict: said, nothing replaced, nothing asked.
    m_ui.openNames.push_back({a, b});
    m_ui.show(m_ws->construireHistorique());
    EXPECT_TRUE(m_ui.confirmTexts.isEmpty());
    EXPECT_TRUE(startsWith(onlyMessage(), QStringLiteral("« Tirages_keno.txt » ne donne pas les mêmes numéros")));
    EXPECT_EQ(readFile(dataFile("Tirages.txt")), crlf(old));
    EXPECT_EQ(readFile(dataFile("Tirages_keno.txt")), crlf(old));

    // Put right, the rebuild asks, naming both files and their counts; No changes nothing.
    old[20] = all[20];
    start(old);
    m_ui.openNames.push_back({a, b});
    m_ui.confirmAnswers.push_back(false);
    m_ui.show(m_ws->construireHistorique());
    EXPECT_EQ(m_ui.confirmTexts,
              QStringList{QStringLiteral("Un historique existe déjà. Le remplacer ?\n« %1 » : 24 tirages aujourd'hui, 16 "
                                         "tirages ensuite\n« %2 » : 24 tirages aujourd'hui, 30 tirages ensuite\n10 tirages de "
                                         "« Tirages_keno.txt », absents des archives, y sont gardés.")
                              .arg(QDir::toNativeSeparators(dataFile("Tirages.txt")),
                                   QDir::toNativeSeparators(dataFile("Tirages_keno.txt")))});
    EXPECT_EQ(readFile(dataFile("Tirages_keno.txt")), crlf(old));
    EXPECT_TRUE(m_ui.messages.empty());

    m_ui.openNames.push_back({a, b});
    m_ui.confirmAnswers.push_back(true);
    m_ui.show(m_ws->construireHistorique());
    EXPECT_EQ(readFile(dataFile("Tirages.txt")), crlf(all.mid(0, 16)));
    EXPECT_EQ(readFile(dataFile("Tirages_keno.txt")), crlf(all));
    EXPECT_EQ(m_ws->state().drawLines(), all);
    EXPECT_TRUE(contains(onlyMessage(),
                         QStringLiteral("\nTirages gardés de Tirages_keno.txt, absents des archives : 10\n  01/03/2021 midi\n")));

    // A cancelled file dialog asks nothing and changes nothing.
    m_ui.show(m_ws->construireHistorique());
    EXPECT_EQ(m_ui.confirmTexts.size(), 2);
    EXPECT_TRUE(m_ui.messages.empty());
    EXPECT_EQ(readFile(dataFile("Tirages_keno.txt")), crlf(all));
}

TEST_F(WorkspaceOutputTest, TheRebuildLeavesTheFolderFreeWhileItAsksAndKeepsADrawAddedMeanwhile)
{
    const QStringList all = makeHistory(30, QDate(2021, 3, 1), 3);
    start(all.mid(0, 24));
    const QString a = archive("a.csv", all.mid(0, 28));
    // Another program adds a draw while the player reads the question.
    bool wasFree = false;
    m_ui.duringQuestion = [&] {
        DataFolderLock other(m_data.path(), 0);
        wasFree = other.acquire();
        if (wasFree)
            writeFile(working(), crlf(all.mid(0, 25)));
    };
    m_ui.openNames.push_back({a});
    m_ui.confirmAnswers.push_back(true);
    m_ui.show(m_ws->construireHistorique());
    EXPECT_TRUE(wasFree);
    ASSERT_EQ(m_ui.confirmTexts.size(), 1);
    EXPECT_TRUE(startsWith(onlyMessage(),
                           QStringLiteral("L'historique a été modifié par un autre programme pendant la "
                                          "question : rien n'a été écrit.")));
    EXPECT_EQ(readFile(working()), crlf(all.mid(0, 25)));
    EXPECT_EQ(readFile(dataFile("Tirages.txt")), crlf(all.mid(0, 24)));
    // Asked again with nobody writing, the build goes through.
    m_ui.duringQuestion = nullptr;
    m_ui.openNames.push_back({a});
    m_ui.confirmAnswers.push_back(true);
    m_ui.show(m_ws->construireHistorique());
    EXPECT_EQ(readFile(working()), crlf(all.mid(0, 28)));
}

TEST_F(WorkspaceOutputTest, AStoppedBuildingOrArchivesWithoutADrawAskNothingAndWriteNothing)
{
    const QStringList old = makeHistory(10, QDate(2021, 3, 1), 3);
    start(old);
    std::atomic<bool> stop{true}; // stopped (or the window closed) before the first archive
    InPlaceJobRunner runner(&stop);
    m_ws->units().jobs.setRunner(&runner);
    m_ui.openNames.push_back({archive("a.csv", makeHistory(16, QDate(2022, 5, 1), 9))});
    m_ui.confirmAnswers.push_back(true);
    m_ui.show(m_ws->construireHistorique());
    m_ws->units().jobs.setRunner(nullptr);
    EXPECT_EQ(onlyMessage(), QStringLiteral("Construction interrompue : rien n'a été écrit."));
    EXPECT_FALSE(m_ws->progress().visible);
    EXPECT_FALSE(m_ws->waitCursor());
    // Archives without a draw (or that disagree: the command line's test) are refused the same way.
    writeFile(dataFile("vide.csv"), "annee;date\r\n");
    m_ui.openNames.push_back({dataFile("vide.csv")});
    m_ui.show(m_ws->construireHistorique());
    EXPECT_TRUE(startsWith(onlyMessage(), QStringLiteral("Aucun tirage n'a pu être lu : rien n'a été écrit.")));
    EXPECT_TRUE(m_ui.confirmTexts.isEmpty());
    EXPECT_EQ(readFile(dataFile("Tirages.txt")), crlf(old));
    EXPECT_EQ(readFile(working()), crlf(old));
    EXPECT_EQ(m_ws->state().drawLines(), old);
}

} // namespace
