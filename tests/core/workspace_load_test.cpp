#include "acquire/ArchiveSource.h"
#include "history/DrawLine.h"
#include "shell/Settings.h"
#include "shell/Workspace.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSettings>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>

using TestSupport::makeHistory;
using TestSupport::readFile;
using TestSupport::ScriptedUi;
using TestSupport::writeFile;

namespace {

const QString kHeader = QStringLiteral("Num Sorti Ecart  EcartMax");
const QString kMost = QStringLiteral(" Les plus                     les moins");
const QString kLeast = QStringLiteral(" Les moins                     les plus");
const QString kIncomplete
    = QStringLiteral("la liste des tirages n'est pas complete ou a été modifiée\nveuillez recharger les titages");

QByteArray crlf(const QStringList& lines)
{
    QByteArray bytes;
    for (const QString& l : lines)
        bytes += l.toUtf8() + "\r\n";
    return bytes;
}

// At least `width` digits, never cut.
QString padded(int value, int width)
{
    return QStringLiteral("%1").arg(value, width, 10, QLatin1Char('0'));
}

// The statistics of a list, computed draw by draw from the lines themselves.
NumberStats referenceStats(const QStringList& liste, int first, int last)
{
    NumberStats s;
    for (int d = first; d <= last; ++d) {
        for (int n = 1; n <= 70; ++n) {
            bool in = false;
            for (int k = 1; k <= 20; ++k)
                in = in || DrawLine::number(liste[d], k) == n;
            if (in) {
                ++s.appearances[n];
                s.currentGap[n] = 0;
            } else {
                s.largestGap[n] = std::max(s.largestGap[n], ++s.currentGap[n]);
            }
        }
    }
    return s;
}

// The ranked part of a two-column report: left lines then right lines, headers dropped.
QStringList rankedLines(const ReportModel& r)
{
    return r.resultat.lines.mid(1) + r.resultat2.lines.mid(1);
}

class RecordingSource : public ArchiveSource {
public:
    QStringList urls;
    bool fetch(const QString& url, const QString&, const Progress&, QString* error) override
    {
        urls << url;
        if (error)
            *error = QStringLiteral("échec simulé");
        return false;
    }
};

class WorkspaceLoadTest : public ::testing::Test {
protected:
    QTemporaryDir tmp;
    QString data = tmp.filePath(QStringLiteral("Documents"));
    QString app = tmp.filePath(QStringLiteral("config"));
    ScriptedUi ui;

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
        return std::make_unique<Workspace>(config, &ui);
    }
    std::unique_ptr<Workspace> startWith(const QStringList& draws)
    {
        writeFile(working(), crlf(draws));
        auto ws = make();
        ws->startUp();
        return ws;
    }
};

} // namespace

TEST_F(WorkspaceLoadTest, StartUpShowsTheWholeHistoryRankedByAppearances)
{
    constexpr int N = 25;
    const QStringList draws = makeHistory(N);
    auto ws = startWith(draws);

    EXPECT_TRUE(ui.messages.empty());
    ASSERT_EQ(ws->liste().size(), N + 1);
    EXPECT_EQ(ws->liste().mid(0, N), draws);
    EXPECT_TRUE(ws->liste().last().isEmpty());
    EXPECT_EQ(ws->selectedIndex(), N);
    EXPECT_EQ(ws->drawCount(), N);
    EXPECT_EQ(ws->counters().nb, QStringLiteral("25"));
    EXPECT_EQ(ws->counters().text1, QStringLiteral("25"));
    EXPECT_EQ(ws->counters().label2, QStringLiteral("Nombre de tirages : "));
    EXPECT_EQ(ws->counters().prem, QStringLiteral("16/09/1993"));
    EXPECT_EQ(ws->counters().dern, draws[N - 1].left(10));
    EXPECT_EQ(ws->studyPeriod().first, 0);
    EXPECT_EQ(ws->studyPeriod().last, N - 1);
    EXPECT_EQ(ws->savedLineCount(), N + 1);
    EXPECT_TRUE(ws->statsValid());
    const NumberStats expected = referenceStats(ws->liste(), 0, N - 1);
    EXPECT_EQ(ws->stats(), expected);

    EXPECT_TRUE(QRegularExpression(QStringLiteral("^\\d+-\\d\\d-\\d\\d\\d\\d$")).match(ws->versionText()).hasMatch())
        << ws->versionText().toStdString();
    EXPECT_EQ(ws->windowTitle(), QStringLiteral("tiravol Version ") + ws->versionText());

    const ReportModel& r = ws->report();
    EXPECT_EQ(r.title, QStringLiteral("Classement par sorties au ") + draws[N - 1].left(10));
    EXPECT_EQ(r.caption, kMost);
    EXPECT_EQ(r.status, QStringLiteral("SORTIES"));
    ASSERT_EQ(r.resultat.count(), 36);
    ASSERT_EQ(r.resultat2.count(), 36);
    EXPECT_EQ(r.resultat.lines[0], kHeader);
    EXPECT_EQ(r.resultat2.lines[0], kHeader);
    EXPECT_TRUE(r.resultat.visible && r.resultat2.visible);
    EXPECT_EQ(r.resultat.widthTwips, 2800);
    EXPECT_EQ(r.resultat2.widthTwips, 2800);

    // Every number once, by appearances descending then number ascending, each line byte-exact.
    const QStringList ranked = rankedLines(r);
    ASSERT_EQ(ranked.size(), 70);
    QSet<int> seen;
    int previousCount = 1 << 30, previousNumber = 0;
    for (const QString& line : ranked) {
        const int n = line.left(2).toInt();
        const size_t i = static_cast<size_t>(n);
        seen.insert(n);
        EXPECT_EQ(line,
                  padded(n, 2) + QLatin1Char(' ') + padded(expected.appearances[i], 4) + QStringLiteral("   ")
                      + padded(expected.currentGap[i], 2) + QStringLiteral("    ") + padded(expected.largestGap[i], 4));
        const int count = expected.appearances[i];
        EXPECT_TRUE(count < previousCount || (count == previousCount && n > previousNumber)) << line.toStdString();
        previousCount = count;
        previousNumber = n;
    }
    EXPECT_EQ(seen.size(), 70);

    const QStringList exported = r.exportLines();
    EXPECT_EQ(exported.size(), 1 + 36 + 35);
    EXPECT_EQ(exported, QStringList{r.title} + r.resultat.lines + r.resultat2.lines.mid(1));

    // Criteria ranges follow the load.
    int largestGap = 0, largestLargest = 0;
    for (int n = 1; n <= 70; ++n) {
        largestGap = std::max(largestGap, expected.currentGap[n]);
        largestLargest = std::max(largestLargest, expected.largestGap[n]);
    }
    EXPECT_EQ(ws->criteria()[3].maximum, N);
    EXPECT_EQ(ws->criteria()[3].value, N);
    EXPECT_EQ(ws->criteria()[4].maximum, largestGap);
    EXPECT_EQ(ws->criteria()[5].maximum, largestLargest);
}

TEST_F(WorkspaceLoadTest, SettingsFileDefaultAndOwnAddress)
{
    writeFile(working(), crlf(makeHistory(4)));
    const QString ini = QDir(app).filePath(QStringLiteral("Varn/tiravol.ini"));
    EXPECT_EQ(Settings::iniPath(app), ini);
    ASSERT_FALSE(QFileInfo::exists(QDir(app).filePath(QStringLiteral("Varn"))));

    // No file and no folder: the default address is used and written back.
    {
        auto ws = make();
        ws->startUp();
        EXPECT_EQ(ws->archiveUrl(), Settings::defaultArchiveUrl());
        EXPECT_TRUE(Settings::defaultArchiveUrl().startsWith(QStringLiteral("https://")));
        EXPECT_TRUE(Settings::defaultArchiveUrl().endsWith(QStringLiteral("/generated/game/keno/keno_gagnant_a_vie.zip")));
        ASSERT_TRUE(QFileInfo::exists(ini));
        const QByteArray bytes = readFile(ini);
        EXPECT_TRUE(bytes.contains("[URL]")) << bytes.constData();
        EXPECT_TRUE(bytes.contains("FileFdesjeux=")) << bytes.constData();
        EXPECT_EQ(QSettings(ini, QSettings::IniFormat).value(QStringLiteral("URL/FileFdesjeux")).toString(),
                  Settings::defaultArchiveUrl());
    }

    // Another address is used unchanged, by the download too, and the file is left as it was.
    const QByteArray own = "[URL]\r\nFileFdesjeux=https://example.org/keno/archive.zip\r\n";
    writeFile(ini, own);
    writeFile(base(), crlf(makeHistory(4)));
    {
        RecordingSource source;
        auto ws = make();
        ws->setArchiveSource(&source);
        ws->startUp();
        EXPECT_EQ(ws->archiveUrl(), QStringLiteral("https://example.org/keno/archive.zip"));
        EXPECT_EQ(readFile(ini), own);
        ui.textAnswers.push_back(std::nullopt); // the corrected address is not given
        ws->telechargement();
        EXPECT_EQ(source.urls, QStringList{QStringLiteral("https://example.org/keno/archive.zip")});
        EXPECT_EQ(readFile(ini), own);
    }

    // Read as written: commas and semicolons belong to the address; names ignore case.
    const QByteArray odd = "; comment\r\n[url]\r\nfilefdesjeux = https://example.org/a,b.zip?x=1;y=2\r\n";
    writeFile(ini, odd);
    {
        auto ws = make();
        ws->startUp();
        EXPECT_EQ(ws->archiveUrl(), QStringLiteral("https://example.org/a,b.zip?x=1;y=2"));
        EXPECT_EQ(readFile(ini), odd);
    }

    // An empty key takes the default, which is written back.
    writeFile(ini, "[URL]\r\nFileFdesjeux=\r\n");
    {
        auto ws = make();
        ws->startUp();
        EXPECT_EQ(ws->archiveUrl(), Settings::defaultArchiveUrl());
        EXPECT_EQ(QSettings(ini, QSettings::IniFormat).value(QStringLiteral("URL/FileFdesjeux")).toString(),
                  Settings::defaultArchiveUrl());
    }
}

TEST_F(WorkspaceLoadTest, CompletenessWarning)
{
    QStringList from1994 = makeHistory(3, QDate(1994, 1, 1));
    auto ws = startWith(from1994);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, kIncomplete);
    EXPECT_EQ(ui.messages[0].title, QStringLiteral("Tiravol"));
    EXPECT_EQ(ws->drawCount(), 3); // nothing is dropped because of it

    ui.messages.clear();
    ws = startWith(makeHistory(3, QDate(1993, 12, 31)));
    EXPECT_TRUE(ui.messages.empty());

    // An empty working file: no draw, and the warning.
    writeFile(working(), QByteArray());
    ws = make();
    ws->startUp();
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, kIncomplete);
    EXPECT_EQ(ws->liste(), QStringList{QString()});
    EXPECT_EQ(ws->counters().nb, QStringLiteral("0"));
    EXPECT_EQ(ws->report().resultat.count(), 36);
}

TEST_F(WorkspaceLoadTest, ChargeManuelleGivesWhatStartUpGave)
{
    const QStringList draws = makeHistory(40);
    writeFile(base(), crlf(draws));
    auto ws = startWith(draws);
    const QStringList liste = ws->liste();
    const NumberStats stats = ws->stats();
    const ReportModel report = ws->report();

    // A reload that brings nothing new leaves the working file alone and disables itself.
    const QByteArray before = readFile(working());
    ws->telechargement();
    EXPECT_FALSE(ws->telechargeEnabled());
    EXPECT_EQ(readFile(working()), before);

    ws->chargeManuelle();
    EXPECT_TRUE(ws->telechargeEnabled());
    EXPECT_EQ(ws->liste(), liste);
    EXPECT_EQ(ws->stats(), stats);
    EXPECT_EQ(ws->selectedIndex(), 40);
    EXPECT_EQ(ws->studyPeriod().first, 0);
    EXPECT_EQ(ws->studyPeriod().last, 39);
    EXPECT_EQ(ws->report().title, report.title);
    EXPECT_EQ(ws->report().resultat.lines, report.resultat.lines);
    EXPECT_EQ(ws->report().resultat2.lines, report.resultat2.lines);
}

TEST_F(WorkspaceLoadTest, EqualCountsGiveCriteriaRangesFromCToCPlusOne)
{
    // Seven draws that hold every number exactly twice.
    QStringList draws;
    QDate date(1993, 9, 16);
    for (int i = 0; i < 7; ++i) {
        DrawLine::Numbers numbers{};
        for (int k = 0; k < 20; ++k)
            numbers[static_cast<size_t>(k)] = (20 * i + k) % 70 + 1;
        std::sort(numbers.begin(), numbers.end());
        draws << DrawLine::build(date, numbers, i % 2 == 0);
        if (i % 2 == 1)
            date = date.addDays(1);
    }
    auto ws = startWith(draws);
    for (int n = 1; n <= 70; ++n)
        ASSERT_EQ(ws->stats().appearances[n], 2);
    EXPECT_EQ(ws->criteria()[10].minimum, 2);
    EXPECT_EQ(ws->criteria()[10].maximum, 3);
    EXPECT_EQ(ws->criteria()[10].value, 2);
    EXPECT_EQ(ws->criteria()[11].minimum, 2);
    EXPECT_EQ(ws->criteria()[11].value, 2);
    // The ranking shown after start-up lowers the maximum to the largest count.
    EXPECT_EQ(ws->criteria()[11].maximum, 2);

    ws->chargeManuelle();
    EXPECT_EQ(ws->criteria()[11].minimum, 2);
    EXPECT_EQ(ws->criteria()[11].maximum, 3);
    EXPECT_EQ(ws->criteria()[10].maximum, 3);

    // All counts equal: 1..35 on the left, 36..70 on the right, in order.
    const ReportModel& r = ws->report();
    for (int i = 1; i <= 35; ++i) {
        EXPECT_EQ(r.resultat.lines[i].left(2), padded(i, 2));
        EXPECT_EQ(r.resultat2.lines[i].left(2), padded(i + 35, 2));
    }
}

TEST_F(WorkspaceLoadTest, RankingCommandsAndTheirExport)
{
    constexpr int N = 60;
    const QStringList draws = makeHistory(N, QDate(1993, 9, 16), 11);
    auto ws = startWith(draws);
    const NumberStats s = referenceStats(ws->liste(), 0, N - 1);
    const QString date = draws[N - 1].left(10);

    struct Case {
        void (Workspace::*command)();
        QString title, caption, status;
        const std::array<int, 71>* key;
    };
    const std::vector<Case> cases = {
        {&Workspace::sorties, QStringLiteral("Classement par sorties au "), kMost, QStringLiteral("SORTIES"), &s.appearances},
        {&Workspace::ecarts, QStringLiteral("Classement par écarts au "), kMost, QStringLiteral("ECARTS"), &s.currentGap},
        {&Workspace::ecartsMax, QStringLiteral("Classement par écarts max au "), kMost, QStringLiteral("Ecarts max"),
         &s.largestGap},
        {&Workspace::numero, QStringLiteral("Classement par numéros au "), kLeast, QStringLiteral("Numéros"), nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.status.toStdString());
        (ws.get()->*c.command)();
        const ReportModel& r = ws->report();
        EXPECT_EQ(r.title, c.title + date);
        EXPECT_EQ(r.caption, c.caption);
        EXPECT_EQ(r.status, c.status);
        ASSERT_EQ(r.resultat.count(), 36);
        ASSERT_EQ(r.resultat2.count(), 36);
        EXPECT_EQ(r.resultat.lines[0], kHeader);
        EXPECT_EQ(r.resultat2.lines[0], kHeader);
        EXPECT_EQ(ws->studyPeriod().last, N - 1);
        const QStringList ranked = rankedLines(r);
        for (int i = 0; i < 70; ++i) {
            const int n = ranked[i].left(2).toInt();
            const size_t k = static_cast<size_t>(n);
            if (!c.key) {
                EXPECT_EQ(n, i + 1);
                EXPECT_EQ(ranked[i],
                          padded(n, 2) + QStringLiteral("  ") + padded(s.appearances[k], 4) + QStringLiteral("   ")
                              + padded(s.currentGap[k], 3) + QStringLiteral("  ") + padded(s.largestGap[k], 4));
                continue;
            }
            if (i > 0) {
                const int prev = ranked[i - 1].left(2).toInt();
                const int a = (*c.key)[static_cast<size_t>(prev)], b = (*c.key)[k];
                EXPECT_TRUE(a > b || (a == b && prev < n)) << ranked[i].toStdString();
            }
            if (c.key != &s.appearances) {
                EXPECT_EQ(ranked[i],
                          padded(n, 2) + QLatin1Char(' ') + padded(s.appearances[k], 4) + QStringLiteral("   ")
                              + padded(s.currentGap[k], 4) + QStringLiteral("   ") + padded(s.largestGap[k], 4));
            }
        }
    }
    int largest = 0;
    for (int n = 1; n <= 70; ++n)
        largest = std::max(largest, s.largestGap[n]);
    EXPECT_EQ(ws->criteria()[5].maximum, largest);
    EXPECT_EQ(ws->criteria()[5].value, largest);

    // Export ticked: the named file holds the title, the left list and the right list without its header.
    const QString exportPath = tmp.filePath(QStringLiteral("exports/sorties.txt"));
    ASSERT_TRUE(QDir().mkpath(QFileInfo(exportPath).absolutePath()));
    ws->setExportEnabled(true);
    ui.saveNames.push_back(exportPath);
    ws->sorties();
    EXPECT_TRUE(ui.saveNames.empty());
    const QByteArray bytes = readFile(exportPath);
    const ReportModel& r = ws->report();
    EXPECT_EQ(bytes, crlf(QStringList{r.title} + r.resultat.lines + r.resultat2.lines.mid(1)));
    EXPECT_TRUE(bytes.startsWith((QStringLiteral("Classement par sorties au ") + date + QStringLiteral("\r\n")).toUtf8()));
    EXPECT_EQ(bytes.count("\r\n"), 72);
    EXPECT_EQ(bytes.count("Num Sorti Ecart  EcartMax\r\n"), 1);
    EXPECT_FALSE(bytes.endsWith("\r\n\r\n"));
    EXPECT_EQ(bytes.count('\n'), bytes.count("\r\n"));

    // An empty name (a cancelled dialog) writes nothing.
    ui.saveNames.push_back(QString());
    ws->ecarts();
    EXPECT_TRUE(ui.saveNames.empty());
    EXPECT_EQ(QDir(QFileInfo(exportPath).absolutePath()).entryList(QDir::Files), QStringList{QStringLiteral("sorties.txt")});

    // Export unticked: no dialog at all.
    ws->setExportEnabled(false);
    ui.saveNames.push_back(tmp.filePath(QStringLiteral("exports/numero.txt")));
    ws->numero();
    EXPECT_EQ(ui.saveNames.size(), 1u);
    EXPECT_FALSE(QFileInfo::exists(tmp.filePath(QStringLiteral("exports/numero.txt"))));
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(WorkspaceLoadTest, ClickOnTheDrawListEndsThePeriodBeforeTheLine)
{
    constexpr int N = 30;
    const QStringList draws = makeHistory(N);
    auto ws = startWith(draws);

    ws->clickListe(10);
    EXPECT_EQ(ws->selectedIndex(), 10);
    EXPECT_EQ(ws->studyPeriod().first, 0);
    EXPECT_EQ(ws->studyPeriod().last, 9);
    EXPECT_EQ(ws->counters().dern, draws[9].left(10));
    EXPECT_EQ(ws->counters().prem, draws[0].left(10));
    EXPECT_EQ(ws->counters().nb, QStringLiteral("10"));
    EXPECT_EQ(ws->report().title, QStringLiteral("Classement par sorties au ") + draws[9].left(10));
    EXPECT_EQ(ws->stats(), referenceStats(ws->liste(), 0, 9));
    EXPECT_EQ(ws->entry().info, QStringLiteral("Modifier le tirage"));
    EXPECT_EQ(ws->entry().affichage, QStringLiteral("Tirage Numéro 11"));
    EXPECT_EQ(ws->criteria()[3].maximum, N + 1);
    EXPECT_EQ(ws->criteria()[3].value, 10);

    // The trailing empty item: the whole history again.
    ws->clickListe(N);
    EXPECT_EQ(ws->studyPeriod().last, N - 1);
    EXPECT_EQ(ws->counters().nb, QString::number(N));
    EXPECT_EQ(ws->entry().info, QStringLiteral("Ajouter un tirage"));
    EXPECT_EQ(ws->report().title, QStringLiteral("Classement par sorties au ") + draws[N - 1].left(10));

    // A click on the first line acts on the second: the oldest draw alone.
    ws->clickListe(0);
    EXPECT_EQ(ws->selectedIndex(), 1);
    EXPECT_EQ(ws->studyPeriod().first, 0);
    EXPECT_EQ(ws->studyPeriod().last, 0);
    EXPECT_EQ(ws->counters().nb, QStringLiteral("1"));
    EXPECT_EQ(ws->counters().dern, draws[0].left(10));
    EXPECT_EQ(ws->report().title, QStringLiteral("Classement par sorties au ") + draws[0].left(10));
    for (int n = 1; n <= 70; ++n) {
        bool in = false;
        for (int k = 1; k <= 20; ++k)
            in = in || DrawLine::number(draws[0], k) == n;
        EXPECT_EQ(ws->stats().appearances[n], in ? 1 : 0);
        EXPECT_EQ(ws->stats().currentGap[n], in ? 0 : 1);
    }
    // The twenty numbers of the oldest draw lead the ranking.
    for (int i = 1; i <= 20; ++i)
        EXPECT_EQ(ws->report().resultat.lines[i].mid(3, 4), QStringLiteral("0001"));
    EXPECT_EQ(ws->report().resultat.lines[21].mid(3, 4), QStringLiteral("0000"));

    // Out-of-range clicks change nothing.
    ws->clickListe(-1);
    ws->clickListe(N + 1);
    EXPECT_EQ(ws->selectedIndex(), 1);
}

TEST_F(WorkspaceLoadTest, ClickPeriodStartsAfterTheDrawsSavedLast)
{
    // The working file cannot be written (its folder is a regular file), so the reload below leaves
    // the saved line count at the empty list's and a click counts only the draws added since.
    writeFile(tmp.filePath(QStringLiteral("blocker")), "x");
    const QStringList draws = makeHistory(12);
    writeFile(base(), crlf(draws));
    WorkspaceConfig config;
    config.workingHistoryPath = tmp.filePath(QStringLiteral("blocker/Tirages_keno.txt"));
    auto ws = make(config);
    ws->startUp();
    EXPECT_EQ(ws->savedLineCount(), 1);
    ws->telechargement();
    ASSERT_EQ(ws->drawCount(), 12);
    EXPECT_FALSE(ws->lastSaveSucceeded());
    EXPECT_EQ(ws->savedLineCount(), 1);

    ws->clickListe(12);
    EXPECT_EQ(ws->studyPeriod().last, 11);
    EXPECT_EQ(ws->studyPeriod().first, 11);
    EXPECT_EQ(ws->counters().prem, draws[11].left(10));
    EXPECT_EQ(ws->counters().nb, QStringLiteral("1"));
}

TEST_F(WorkspaceLoadTest, HundredThousandDrawsLoadAndRank)
{
    constexpr int N = 100000;
    const QStringList draws = makeHistory(N, QDate(1993, 9, 16), 3);
    auto ws = startWith(draws);
    EXPECT_TRUE(ui.messages.empty());
    ASSERT_EQ(ws->liste().size(), N + 1);
    EXPECT_EQ(ws->counters().nb, QStringLiteral("100000"));
    EXPECT_EQ(ws->studyPeriod().last, N - 1);
    EXPECT_EQ(ws->counters().dern, draws[N - 1].left(10));

    StudyPeriod p{0, N - 1};
    const NumberStats s = computeStatsNaive(ws->matrix(), p);
    EXPECT_EQ(ws->stats(), s);
    int total = 0;
    for (int n = 1; n <= 70; ++n) {
        total += s.appearances[n];
        EXPECT_GE(s.appearances[n], 10000);
    }
    EXPECT_EQ(total, 20 * N);

    for (const QString& line : rankedLines(ws->report())) {
        const size_t n = static_cast<size_t>(line.left(2).toInt());
        EXPECT_EQ(line,
                  padded(static_cast<int>(n), 2) + QLatin1Char(' ') + QString::number(s.appearances[n]) + QStringLiteral("   ")
                      + padded(s.currentGap[n], 2) + QStringLiteral("    ") + padded(s.largestGap[n], 4));
    }

    ws->numero();
    const QStringList byNumber = rankedLines(ws->report());
    ASSERT_EQ(byNumber.size(), 70);
    EXPECT_EQ(byNumber[69],
              QStringLiteral("70  ") + QString::number(s.appearances[70]) + QStringLiteral("   ") + padded(s.currentGap[70], 3)
                  + QStringLiteral("  ") + padded(s.largestGap[70], 4));

    // A click near the end still ranks the period before it.
    ws->clickListe(N - 5);
    StudyPeriod q{0, N - 6};
    EXPECT_EQ(ws->stats(), computeStatsNaive(ws->matrix(), q));
}
