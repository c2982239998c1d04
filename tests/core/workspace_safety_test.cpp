#include "acquire/ArchiveSource.h"
#include "history/DrawLine.h"
#include "shell/Settings.h"
#include "shell/Workspace.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>

using TestSupport::makeHistory;
using TestSupport::readFile;
using TestSupport::ScriptedUi;
using TestSupport::writeFile;

namespace {

const QString kTitle = QStringLiteral("Tiravol");
const QString kOffline = QStringLiteral("Vous n'etes pas connecté à Internet");
const QString kIncomplete
    = QStringLiteral("la liste des tirages n'est pas complete ou a été modifiée\nveuillez recharger les titages");

QByteArray crlf(const QStringList& lines)
{
    QByteArray bytes;
    for (const QString& l : lines)
        bytes += l.toUtf8() + "\r\n";
    return bytes;
}

// The operator's CSV for draw lines given oldest first: header, rows newest first, final line feed.
QByteArray operatorCsv(const QStringList& draws)
{
    QByteArray csv = "annee_numero_de_tirage;date_de_tirage;heure_de_tirage;date_de_forclusion;"
                     "boule1;boule2;boule3;boule4;boule5;boule6;boule7;boule8;boule9;boule10;"
                     "boule11;boule12;boule13;boule14;boule15;boule16;boule17;boule18;boule19;boule20;"
                     "multiplicateur;numero_jokerplus;devise;\n";
    for (qsizetype i = draws.size() - 1; i >= 0; --i) {
        const QString& line = draws[i];
        QByteArray row = "1993001;" + line.left(10).toLatin1() + ';' + line.right(4).toLatin1() + ";01/01/1994";
        for (int k = 1; k <= 20; ++k)
            row += ';' + QByteArray::number(DrawLine::number(line, k));
        csv += row + ";1;1234567;eur;\n";
    }
    return csv;
}

// Puts a prepared CSV where the extraction leaves it, or fails like an unreachable server.
class FakeSource : public ArchiveSource {
public:
    QString dataFolder;
    QByteArray csv;
    bool succeed = false;
    int calls = 0;
    bool fetch(const QString&, const QString&, const Progress&, QString* error) override
    {
        ++calls;
        if (!succeed) {
            if (error)
                *error = QStringLiteral("serveur injoignable");
            return false;
        }
        writeFile(QDir(dataFolder).filePath(QStringLiteral("keno_gagnant_a_vie.csv")), csv);
        return true;
    }
};

bool hasMessage(const ScriptedUi& ui, const QString& part)
{
    for (const auto& m : ui.messages)
        if (m.text.contains(part))
            return true;
    return false;
}

class WorkspaceSafetyTest : public ::testing::Test {
protected:
    QTemporaryDir tmp;
    QString data = tmp.filePath(QStringLiteral("Documents"));
    QString app = tmp.filePath(QStringLiteral("config"));
    ScriptedUi ui;
    WorkspaceConfig::Connection connection = WorkspaceConfig::Connection::Online;

    void SetUp() override
    {
        ASSERT_TRUE(tmp.isValid());
        ASSERT_TRUE(QDir().mkpath(data));
        ASSERT_TRUE(QDir().mkpath(app));
    }
    QString working() const { return QDir(data).filePath(QStringLiteral("Tirages_keno.txt")); }
    QString base() const { return QDir(data).filePath(QStringLiteral("Tirages.txt")); }
    std::unique_ptr<Workspace> make(WorkspaceConfig config = {})
    {
        config.dataFolder = data;
        config.appDataFolder = app;
        config.connection = [this] { return connection; };
        return std::make_unique<Workspace>(config, &ui);
    }
};

} // namespace

TEST_F(WorkspaceSafetyTest, ExitWritesTheListByteForByte)
{
    const QStringList draws = makeHistory(20);
    const QByteArray original = crlf(draws);
    writeFile(working(), original);
    auto ws = make();
    ws->startUp();
    ws->clickListe(5); // a click narrows the period, not what is saved
    EXPECT_TRUE(ws->exitSave());
    EXPECT_TRUE(ws->lastSaveSucceeded());
    EXPECT_EQ(readFile(working()), original);
    EXPECT_TRUE(ui.messages.empty());

    // ';' separators and bare line feeds are written back as the list holds them.
    QByteArray semicolons = original;
    semicolons.replace(' ', ';');
    semicolons.replace("\r\n", "\n");
    writeFile(working(), semicolons);
    ws = make();
    ws->startUp();
    EXPECT_TRUE(ws->exitSave());
    EXPECT_EQ(readFile(working()), original);
}

TEST_F(WorkspaceSafetyTest, MissingWorkingFileIsCreatedAtExit)
{
    auto ws = make();
    ws->startUp();
    ASSERT_EQ(ui.messages.size(), 2u);
    EXPECT_TRUE(ui.messages[0].text.contains(QStringLiteral("introuvable"))) << ui.messages[0].text.toStdString();
    EXPECT_EQ(ui.messages[0].title, kTitle);
    EXPECT_EQ(ui.messages[1].text, kIncomplete);
    EXPECT_EQ(ws->liste(), QStringList{QString()});
    EXPECT_TRUE(ws->exitSave());
    ASSERT_TRUE(QFileInfo(working()).isFile());
    EXPECT_EQ(readFile(working()), QByteArray());

    // With draws in the list, they are what the new file holds.
    QFile::remove(working());
    const QStringList draws = makeHistory(6);
    writeFile(base(), crlf(draws));
    connection = WorkspaceConfig::Connection::NotChecked;
    ws = make();
    ws->startUp();
    ws->telechargement(); // no archive source: the base history alone, longer than the empty list
    EXPECT_EQ(readFile(working()), crlf(draws));
    QFile::remove(working());
    EXPECT_TRUE(ws->exitSave());
    EXPECT_EQ(readFile(working()), crlf(draws));
}

TEST_F(WorkspaceSafetyTest, OfflineReloadNeverShortensTheWorkingFile)
{
    const QStringList draws = makeHistory(30);
    const QByteArray original = crlf(draws);
    writeFile(working(), original);
    writeFile(base(), crlf(draws.mid(0, 20)));
    connection = WorkspaceConfig::Connection::Offline;
    FakeSource source;
    source.dataFolder = data;
    auto ws = make();
    ws->setArchiveSource(&source);
    ws->startUp();
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, kOffline);
    EXPECT_EQ(ui.messages[0].title, kTitle);
    EXPECT_EQ(ws->drawCount(), 30);

    ui.messages.clear();
    ws->telechargement();
    EXPECT_EQ(source.calls, 0);
    ASSERT_FALSE(ui.messages.empty());
    EXPECT_EQ(ui.messages[0].text, kOffline);
    EXPECT_EQ(ui.messages[0].title, kTitle);
    EXPECT_EQ(ws->drawCount(), 20);
    EXPECT_EQ(readFile(working()), original);

    ui.messages.clear();
    EXPECT_FALSE(ws->exitSave());
    EXPECT_EQ(readFile(working()), original);
    ASSERT_EQ(ui.messages.size(), 1u); // the refusal is told
    EXPECT_EQ(ui.messages[0].title, kTitle);
    EXPECT_EQ(ws->drawCount(), 20);

    // Back to the working history, the exit writes again.
    ws->chargeManuelle();
    EXPECT_EQ(ws->drawCount(), 30);
    EXPECT_TRUE(ws->exitSave());
    EXPECT_EQ(readFile(working()), original);
}

TEST_F(WorkspaceSafetyTest, LongerMergeMissingADrawDoesNotReplaceTheFile)
{
    const QStringList draws = makeHistory(10);
    const QByteArray original = crlf(draws);
    writeFile(working(), original);
    writeFile(base(), crlf(draws.mid(0, 4)));
    // Eight archive draws of other dates: twelve draws in all, six of the file's missing.
    FakeSource source;
    source.dataFolder = data;
    source.succeed = true;
    source.csv = operatorCsv(makeHistory(8, QDate(1993, 10, 1), 99));
    auto ws = make();
    ws->setArchiveSource(&source);
    ws->startUp();

    ui.messages.clear();
    ws->telechargement();
    EXPECT_EQ(source.calls, 1);
    ASSERT_EQ(ws->drawCount(), 12);
    EXPECT_EQ(readFile(working()), original);
    EXPECT_TRUE(hasMessage(ui, QStringLiteral("manquent"))) << ui.messages.size();
    EXPECT_FALSE(ws->exitSave());
    EXPECT_EQ(readFile(working()), original);
}

TEST_F(WorkspaceSafetyTest, LongerMergeKeepingEveryDrawReplacesTheFile)
{
    const QStringList all = makeHistory(14);
    writeFile(working(), crlf(all.mid(0, 10)));
    writeFile(base(), crlf(all.mid(0, 4)));
    FakeSource source;
    source.dataFolder = data;
    source.succeed = true;
    source.csv = operatorCsv(all.mid(4));
    auto ws = make();
    ws->setArchiveSource(&source);
    ws->startUp();
    ws->telechargement();
    EXPECT_EQ(ws->liste().mid(0, 14), all);
    EXPECT_EQ(readFile(working()), crlf(all));
    EXPECT_EQ(ws->savedLineCount(), 15);
    EXPECT_FALSE(ws->telechargeEnabled());
}

TEST_F(WorkspaceSafetyTest, FailedDiskWriteKeepsTheListAndSaysSo)
{
    const QString folder = tmp.filePath(QStringLiteral("work"));
    const QString path = folder + QStringLiteral("/Tirages_keno.txt");
    const QStringList draws = makeHistory(15);
    writeFile(path, crlf(draws));
    WorkspaceConfig config;
    config.workingHistoryPath = path;
    auto ws = make(config);
    ws->startUp();
    ASSERT_EQ(ws->drawCount(), 15);
    ASSERT_TRUE(ui.messages.empty());

    // The folder becomes a regular file: nothing can be written there.
    ASSERT_TRUE(QDir(folder).removeRecursively());
    writeFile(folder, "not a folder");
    EXPECT_FALSE(ws->exitSave());
    EXPECT_FALSE(ws->lastSaveSucceeded());
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].title, kTitle);
    EXPECT_TRUE(ui.messages[0].text.startsWith(QStringLiteral("L'historique de travail « ")))
        << ui.messages[0].text.toStdString();
    EXPECT_TRUE(ui.messages[0].text.contains(QStringLiteral("n'a pas pu être enregistré")));
    EXPECT_TRUE(ui.messages[0].text.endsWith(QStringLiteral("\nLa liste des tirages est conservée dans la fenêtre.")));
    EXPECT_EQ(ws->liste().mid(0, 15), draws);
    EXPECT_EQ(readFile(folder), QByteArray("not a folder"));

    // Once the folder is back, the same list is written.
    ASSERT_TRUE(QFile::remove(folder));
    ASSERT_TRUE(QDir().mkpath(folder));
    EXPECT_TRUE(ws->exitSave());
    EXPECT_EQ(readFile(path), crlf(draws));

    // A folder in place of the file: refused with a message, the folder left as it was.
    ui.messages.clear();
    ASSERT_TRUE(QFile::remove(path));
    writeFile(path + QStringLiteral("/inside.txt"), "keep");
    EXPECT_FALSE(ws->exitSave());
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_TRUE(ui.messages[0].text.contains(QStringLiteral("n'a pas été enregistré")));
    EXPECT_EQ(readFile(path + QStringLiteral("/inside.txt")), QByteArray("keep"));
}

TEST_F(WorkspaceSafetyTest, BadLinesAreReportedAndWrittenBackUnchanged)
{
    QStringList lines = makeHistory(8);
    lines[2] = lines[2].left(50); // too short
    lines[3].replace(14, 2, QStringLiteral("zz")); // letters
    lines[4].replace(11, 2, QStringLiteral("85")); // above 70
    lines[5] += QStringLiteral(" extra"); // too long
    lines[6] = QString(75, QLatin1Char('x')); // nothing readable
    const QByteArray original = crlf(lines);
    writeFile(working(), original);

    auto ws = make();
    ws->startUp();
    ASSERT_EQ(ui.messages.size(), 1u);
    const QString text = ui.messages[0].text;
    EXPECT_EQ(ui.messages[0].title, kTitle);
    EXPECT_TRUE(text.startsWith(QStringLiteral("5 ligne(s) de « Tirages_keno.txt » ne sont pas des tirages valides")))
        << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral(" ; elles sont gardées telles quelles et leurs numéros illisibles ou hors de 1 "
                                             "à 70 ne comptent pas dans les statistiques.\n")));
    EXPECT_TRUE(text.contains(QStringLiteral("ligne 3 : longueur 50 au lieu de 75 caractères")));
    EXPECT_TRUE(text.contains(QStringLiteral("ligne 4 : numéro 2 « zz » illisible")));
    EXPECT_TRUE(text.contains(QStringLiteral("ligne 5 : numéro 1 hors de 1 à 70 (85)")));
    EXPECT_EQ(ws->liste().mid(0, 8), lines);
    EXPECT_EQ(ws->drawCount(), 8);

    // Unreadable fields count for no number.
    int total = 0;
    for (int n = 1; n <= 70; ++n)
        total += ws->stats().appearances[n];
    int readable = 0;
    for (const QString& l : lines)
        for (int k = 1; k <= 20; ++k) {
            const int v = DrawLine::number(l, k);
            readable += (v >= 1 && v <= 70) ? 1 : 0;
        }
    EXPECT_EQ(total, readable);
    EXPECT_LT(readable, 8 * 20);

    // Clicking a damaged line is harmless.
    ws->clickListe(7);
    ws->clickListe(3);
    EXPECT_EQ(ws->report().resultat.count(), 36);

    EXPECT_TRUE(ws->exitSave());
    EXPECT_EQ(readFile(working()), original);
}

TEST_F(WorkspaceSafetyTest, UnreadableWorkingFileIsNotDestroyed)
{
    writeFile(working() + QStringLiteral("/inside.txt"), "keep");
    auto ws = make();
    ws->startUp();
    ASSERT_EQ(ui.messages.size(), 2u);
    EXPECT_TRUE(ui.messages[0].text.contains(QStringLiteral("ne peut pas être lu"))) << ui.messages[0].text.toStdString();
    EXPECT_EQ(ui.messages[0].title, kTitle);
    EXPECT_EQ(ui.messages[1].text, kIncomplete);
    EXPECT_EQ(ws->drawCount(), 0);

    EXPECT_FALSE(ws->exitSave());
    EXPECT_TRUE(QFileInfo(working()).isDir());
    EXPECT_EQ(readFile(working() + QStringLiteral("/inside.txt")), QByteArray("keep"));
}

TEST_F(WorkspaceSafetyTest, FailedDownloadAsksForTheAddressAndKeepsTheFile)
{
    const QStringList draws = makeHistory(12);
    const QByteArray original = crlf(draws);
    writeFile(working(), original);
    writeFile(base(), crlf(draws.mid(0, 8)));
    FakeSource source;
    source.dataFolder = data;
    auto ws = make();
    ws->setArchiveSource(&source);
    ws->startUp();
    const QString ini = QDir(app).filePath(QStringLiteral("Varn/tiravol.ini"));

    ui.textAnswers.push_back(QStringLiteral("https://example.org/nouvelle,v2.zip"));
    ws->telechargement();
    EXPECT_EQ(source.calls, 1);
    EXPECT_EQ(ui.askedTitles, QStringList{QStringLiteral("Telechargement echoué vérifiez l'adresse")});
    EXPECT_TRUE(hasMessage(ui, QStringLiteral("serveur injoignable")));
    EXPECT_EQ(Settings(ini, false).read(QStringLiteral("URL"), QStringLiteral("FileFdesjeux"), QString()),
              QStringLiteral("https://example.org/nouvelle,v2.zip"));
    EXPECT_FALSE(ws->progress().visible);
    EXPECT_EQ(ws->drawCount(), 8);
    EXPECT_EQ(readFile(working()), original);

    // A cancelled or blank answer leaves the settings file alone.
    ui.textAnswers.push_back(std::nullopt);
    ui.textAnswers.push_back(QStringLiteral("   "));
    ws->telechargement();
    ws->telechargement();
    EXPECT_EQ(source.calls, 3);
    EXPECT_EQ(Settings(ini, false).read(QStringLiteral("URL"), QStringLiteral("FileFdesjeux"), QString()),
              QStringLiteral("https://example.org/nouvelle,v2.zip"));

    EXPECT_FALSE(ws->exitSave());
    EXPECT_EQ(readFile(working()), original);
}

TEST_F(WorkspaceSafetyTest, FilteredViewAtExitKeepsTheFullHistory)
{
    const QStringList draws = makeHistory(40);
    const QByteArray original = crlf(draws);
    writeFile(working(), original);
    writeFile(base(), original);
    connection = WorkspaceConfig::Connection::NotChecked;
    ui.onFilter = [](CalendarFilter& f) {
        f.weekdays.fill(true);
        f.months.fill(true);
        f.times = {false, false, true}; // evening draws only
        return true;
    };
    auto ws = make();
    ws->startUp();
    ws->periodeEtude();
    ASSERT_EQ(ws->drawCount(), 20);
    EXPECT_TRUE(ws->exitSave());
    EXPECT_EQ(readFile(working()), original);
}
