// SPDX-License-Identifier: GPL-3.0-or-later
// The multipliers beside a history: written with it, never out of step with it after a full
// disk, a read error, a kill between the two files or a link, and never a reason to refuse it.
#include "history/MultiplierFile.h"
#include "support/EioFault.h"
#include "support/GameArchive.h"
#include "support/TestSupport.h"

#include <QDir>
#include <sys/wait.h>
#include <unistd.h>

using namespace TestSupport;

namespace {

class MultiplierFileTest : public ::testing::Test {
protected:
    QTemporaryDir tmp;
    QString history = tmp.filePath(QStringLiteral("Tirages_keno.txt"));
    QString companion = tmp.filePath(QStringLiteral("Multiplicateurs_keno.txt"));
    // Midday then evening from 01/01/2020.
    QStringList lines = makeHistory(6, QDate(2020, 1, 1));

    // Both files as they are, to compare after a fault.
    std::pair<QByteArray, QByteArray> files() const { return {readFile(companion), readFile(history)}; }
    bool write(const QStringList& draws, const Multipliers& values, QString* error = nullptr)
    {
        const DrawList list = DrawList::fromLines(draws);
        QString ignored;
        return MultiplierFile::writeWithHistory(history, list, list.toCrlfBytes(), values, error ? error : &ignored);
    }
    static Multipliers of(std::initializer_list<std::tuple<QDate, int, int>> entries)
    {
        Multipliers m;
        for (const auto& [day, slot, value] : entries)
            m.set(day, slot, value);
        return m;
    }
    Multipliers readBack(const QStringList& draws) const
    {
        return MultiplierFile::onlyOf(MultiplierFile::read(companion, FormulaId::Keno20of70).values, DrawList::fromLines(draws));
    }
};

} // namespace

TEST_F(MultiplierFileTest, WrittenOldestFirstForTheHistorysDrawsOnlyAndReadBack)
{
    // Given newest first, with one draw the history does not hold.
    const Multipliers given = of({{QDate(2020, 1, 3), 1, 10}, {QDate(2020, 1, 1), 0, 3}, {QDate(2020, 1, 9), 0, 2}});
    ASSERT_TRUE(write(lines, given));
    EXPECT_EQ(readFile(companion), QByteArray("01/01/2020 midi x3\r\n03/01/2020 soir x10\r\n"));
    EXPECT_EQ(readFile(history), crlf(lines));
    EXPECT_EQ(readBack(lines), of({{QDate(2020, 1, 1), 0, 3}, {QDate(2020, 1, 3), 1, 10}}));

    // What the file holds is kept; a new value for a draw replaces its old one.
    ASSERT_TRUE(write(lines, of({{QDate(2020, 1, 2), 1, 5}, {QDate(2020, 1, 1), 0, 4}})));
    EXPECT_EQ(readFile(companion), QByteArray("01/01/2020 midi x4\r\n02/01/2020 soir x5\r\n03/01/2020 soir x10\r\n"));

    // No multiplier at all: no file is made beside the history.
    QFile::remove(companion);
    ASSERT_TRUE(write(lines, {}));
    EXPECT_FALSE(QFileInfo::exists(companion));
}

TEST_F(MultiplierFileTest, TheNewGameHasOnlyItsEveningDraw)
{
    const QStringList draws = GameArchive::lines(GameArchive::draws(3, QDate(2025, 11, 3)));
    const QString path = tmp.filePath(QStringLiteral("Tirages_keno_16-56.txt"));
    Multipliers values;
    MultiplierFile::take(values, draws, {2, std::nullopt, 11});
    EXPECT_EQ(values, of({{QDate(2025, 11, 3), 0, 2}})); // none given and x11 are left out
    const DrawList list = DrawList::fromLines(draws);
    QString error;
    ASSERT_TRUE(MultiplierFile::writeWithHistory(path, list, list.toCrlfBytes(), values, &error));
    const QString beside = tmp.filePath(QStringLiteral("Multiplicateurs_16-56.txt"));
    EXPECT_EQ(readFile(beside), QByteArray("03/11/2025 soir x2\r\n"));
    EXPECT_EQ(MultiplierFile::read(beside, FormulaId::Keno16of56).values, values);
    // The classic game's midday, or a day before the new game began, is no draw of it.
    EXPECT_TRUE(MultiplierFile::parse("03/11/2025 midi x2\n", FormulaId::Keno16of56).failed);
    EXPECT_TRUE(MultiplierFile::parse("02/11/2025 soir x2\n", FormulaId::Keno16of56).failed);
}

TEST_F(MultiplierFileTest, ABadLineCostsTheMultipliersNeverTheHistory)
{
    const struct {
        QByteArray bytes;
        const char* told;
    } cases[] = {
        {"01/01/2020 midi x3\r\n01/01/2020 soir\r\n", "ligne 2 : « date moment xN » attendu"},
        {"32/01/2020 midi x3\n", "ligne 1 : la date « 32/01/2020 »"},
        {"01/01/2020 matin x3\n", "ligne 1 : « matin » n'est pas un moment"},
        {"01/01/2020 midi x0\n", "ligne 1 : « x0 » n'est pas un multiplicateur de x1 à x10"},
        {"01/01/2020 midi x11\n", "« x11 »"},
        {"01/01/2020 midi 3\n", "« 3 »"},
        {"01/01/2020 midi x3\n\n02/01/2020 midi x2\n", "ligne 2 :"},
        {"01/01/2020 midi x3\n01/01/2020 midi x2\n", "ligne 2 : le tirage du 01/01/2020 y est déjà"},
    };
    ASSERT_TRUE(write(lines, {}));
    for (const auto& c : cases) {
        writeFile(companion, c.bytes);
        const MultiplierFile::ReadResult read = MultiplierFile::read(companion, FormulaId::Keno20of70);
        EXPECT_TRUE(read.found && read.failed) << c.bytes.toStdString();
        EXPECT_TRUE(read.values.isEmpty());
        EXPECT_TRUE(contains(read.notice, QString::fromUtf8(c.told))) << read.notice.toStdString();
        EXPECT_TRUE(contains(read.notice, QStringLiteral("l'historique est lu sans eux")));
        // The save goes on without it, and leaves the player's file to mend.
        ASSERT_TRUE(write(lines + makeHistory(1, QDate(2020, 1, 4)), of({{QDate(2020, 1, 4), 0, 2}})));
        EXPECT_EQ(readFile(companion), c.bytes);
        EXPECT_EQ(readFile(history), crlf(lines + makeHistory(1, QDate(2020, 1, 4))));
        ASSERT_TRUE(write(lines, {}));
    }
    // Accepted as written by hand: LF endings, no final line end, an empty file.
    EXPECT_EQ(MultiplierFile::parse("01/01/2020 midi x3\n02/01/2020 soir x1", FormulaId::Keno20of70).values.size(), 2);
    EXPECT_FALSE(MultiplierFile::parse("", FormulaId::Keno20of70).failed);
}

TEST_F(MultiplierFileTest, AFullDiskWritesNeitherFile)
{
    const QStringList longer = makeHistory(400, QDate(2020, 1, 1));
    Multipliers many;
    MultiplierFile::take(many, longer, QList<std::optional<int>>(400, 2));
    ASSERT_TRUE(write(lines, of({{QDate(2020, 1, 1), 0, 3}})));
    const auto before = files();
    // The file beside (8 kB) is written first and is the one refused.
    QString error;
    {
        const FileSizeLimit full(2048);
        EXPECT_FALSE(write(longer, many, &error));
    }
    EXPECT_EQ(files(), before);
    EXPECT_TRUE(contains(error, QStringLiteral("Multiplicateurs_keno.txt » n'a pas été enregistré"))) << error.toStdString();
    EXPECT_TRUE(contains(error, QStringLiteral("Tirages_keno.txt » n'a pas été remplacé non plus")));
    // It fits, the history (30 kB) does not: the file beside is not replaced either.
    {
        const FileSizeLimit full(16384);
        EXPECT_FALSE(write(longer, many, &error));
    }
    EXPECT_EQ(files(), before);
    EXPECT_TRUE(contains(error, QStringLiteral("Tirages_keno.txt » n'a pas été enregistré"))) << error.toStdString();
    EXPECT_TRUE(write(longer, many));
    EXPECT_EQ(readBack(longer), many);
}

TEST_F(MultiplierFileTest, AKillBetweenTheTwoFilesLeavesOnlyMultipliersTheHistoryLacks)
{
    ASSERT_TRUE(write(lines, of({{QDate(2020, 1, 1), 0, 3}})));
    const auto before = files();
    const QStringList more = lines + makeHistory(2, QDate(2020, 1, 4));
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        qputenv("TIRAVOL_KILL_AFTER_RENAME", "Multiplicateurs_keno.txt");
        write(more, of({{QDate(2020, 1, 4), 0, 5}, {QDate(2020, 1, 4), 1, 6}}));
        ::_exit(0); // not killed: the test fails below
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL);
    // The history is as it was; the file beside went first and is ahead of it.
    EXPECT_EQ(readFile(history), before.second);
    EXPECT_NE(readFile(companion), before.first);
    const HistoryFile::ListReadResult onDisk = HistoryFile::readList(history);
    EXPECT_EQ(readBack(onDisk.list.toStringList()), of({{QDate(2020, 1, 1), 0, 3}}));
    // The next save drops what no draw of the history held, even when the same draws come again
    // without their multipliers.
    ASSERT_TRUE(write(more, {}));
    EXPECT_EQ(readFile(companion), before.first);
    EXPECT_EQ(readFile(history), crlf(more));
}

TEST_F(MultiplierFileTest, AFileThatCannotBeReadIsNeverWrittenOver)
{
    ASSERT_TRUE(write(lines, of({{QDate(2020, 1, 1), 0, 3}, {QDate(2020, 1, 2), 1, 2}})));
    const QByteArray kept = readFile(companion);
    const QStringList more = lines + makeHistory(1, QDate(2020, 1, 4));
    {
        const EioFault badSector("Multiplicateurs_keno.txt", 10);
        const MultiplierFile::ReadResult read = MultiplierFile::read(companion, FormulaId::Keno20of70);
        EXPECT_TRUE(read.failed && read.values.isEmpty());
        EXPECT_TRUE(contains(read.notice, QStringLiteral("n'a pas pu être lu jusqu'au bout"))) << read.notice.toStdString();
        EXPECT_TRUE(write(more, of({{QDate(2020, 1, 4), 0, 9}})));
    }
    EXPECT_EQ(readFile(history), crlf(more));
    EXPECT_EQ(readFile(companion), kept);
    EXPECT_EQ(readBack(more), of({{QDate(2020, 1, 1), 0, 3}, {QDate(2020, 1, 2), 1, 2}}));
}

TEST_F(MultiplierFileTest, ALinkIsFollowedAndStaysALink)
{
    const QString elsewhere = tmp.filePath(QStringLiteral("ailleurs/multiplicateurs.txt"));
    writeFile(elsewhere, "01/01/2020 midi x3\r\n");
    writeFile(history, crlf(lines));
    ASSERT_TRUE(QFile::link(elsewhere, companion));
    ASSERT_TRUE(write(lines, of({{QDate(2020, 1, 2), 0, 4}})));
    EXPECT_TRUE(QFileInfo(companion).isSymLink());
    EXPECT_EQ(readFile(elsewhere), QByteArray("01/01/2020 midi x3\r\n02/01/2020 midi x4\r\n"));

    // A file beside that may not be written keeps the history from moving without it.
    QFile::remove(companion);
    writeFile(companion, "01/01/2020 midi x3\r\n");
    QFile::setPermissions(companion, QFile::ReadOwner);
    const auto before = files();
    QString error;
    EXPECT_FALSE(write(lines + makeHistory(1, QDate(2020, 1, 4)), of({{QDate(2020, 1, 4), 0, 2}}), &error));
    EXPECT_EQ(files(), before);
    EXPECT_TRUE(contains(error, QStringLiteral("Multiplicateurs_keno.txt"))) << error.toStdString();
}

// The file alone gains the values it lacks for the history's draws; what it holds stays, and a
// full disk or a file that cannot be read leaves it as it was.
TEST_F(MultiplierFileTest, AddMissingWritesTheFileAloneForTheDrawsThatHaveNone)
{
    ASSERT_TRUE(write(lines, of({{QDate(2020, 1, 1), 0, 3}})));
    const auto before = files();
    // The history lacks the last draw.
    const Multipliers given = of({{QDate(2020, 1, 1), 0, 5}, {QDate(2020, 1, 2), 1, 2}, {QDate(2020, 1, 9), 0, 4}});
    QString error;
    {
        const FileSizeLimit full(16);
        EXPECT_FALSE(MultiplierFile::addMissing(history, FormulaId::Keno20of70, given, &error));
    }
    EXPECT_EQ(files(), before);
    EXPECT_TRUE(contains(error, QStringLiteral("Multiplicateurs_keno.txt » n'a pas été enregistré"))) << error.toStdString();
    {
        const EioFault badSector("Multiplicateurs_keno.txt", 4);
        EXPECT_TRUE(MultiplierFile::addMissing(history, FormulaId::Keno20of70, given, &error));
    }
    EXPECT_EQ(files(), before);

    ASSERT_TRUE(MultiplierFile::addMissing(history, FormulaId::Keno20of70, given, &error)) << error.toStdString();
    EXPECT_EQ(readFile(companion), QByteArray("01/01/2020 midi x3\r\n02/01/2020 soir x2\r\n"));
    EXPECT_EQ(readFile(history), before.second);
    // Nothing left to give: not written again (a file that may not be written would refuse).
    QFile::setPermissions(companion, QFile::ReadOwner);
    EXPECT_TRUE(MultiplierFile::addMissing(history, FormulaId::Keno20of70, given, &error));

    // With the history's write, the values that fill stay behind those the file holds.
    QFile::setPermissions(companion, QFile::ReadOwner | QFile::WriteOwner);
    const DrawList list = DrawList::fromLines(lines);
    ASSERT_TRUE(
        MultiplierFile::writeWithHistory(history, list, list.toCrlfBytes(), of({{QDate(2020, 1, 3), 0, 6}}), &error,
                                         of({{QDate(2020, 1, 2), 1, 9}, {QDate(2020, 1, 3), 0, 7}, {QDate(2020, 1, 3), 1, 8}})));
    EXPECT_EQ(readFile(companion),
              QByteArray("01/01/2020 midi x3\r\n02/01/2020 soir x2\r\n03/01/2020 midi x6\r\n03/01/2020 soir x8\r\n"));
}
