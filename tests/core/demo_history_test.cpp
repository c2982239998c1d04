// SPDX-License-Identifier: GPL-3.0-or-later
#include "history/DemoHistory.h"
#include "history/HistoryFile.h"
#include "history/MultiplierFile.h"

#include "support/TestSupport.h"

#include <QCryptographicHash>
#include <QDir>
#include <algorithm>
#include <map>

using namespace TestSupport;

// The twenty-of-seventy demonstration is the one it always was, up to the game's last evening.
TEST(DemoHistory, TheClassicGameEndsOnItsLastEveningWithTheSameDraws)
{
    const QStringList lines = DemoHistory::generate(QDate(2026, 12, 4));
    ASSERT_EQ(lines.size(), 23472); // twice a day, 16/09/1993 to 02/11/2025
    EXPECT_EQ(lines.first().left(10) + lines.first().right(5), QStringLiteral("16/09/1993 midi"));
    EXPECT_EQ(lines.last(), QStringLiteral("02/11/2025 01 05 07 09 16 17 18 27 29 33 34 37 38 42 43 48 49 52 62 70 soir"));
    // Every draw as the demonstration has always made it.
    EXPECT_EQ(QCryptographicHash::hash(lines.join(QLatin1Char('\n')).toLatin1(), QCryptographicHash::Sha256).toHex(),
              QByteArray("71014eb35d307d6682dffb6b26f1f5e2690421c376bf6ea61bc81ee60866d731"));
    EXPECT_EQ(DemoHistory::generate(QDate(1994, 12, 31)), lines.mid(0, 944));
    EXPECT_EQ(DemoHistory::generate(FormulaId::Keno20of70, QDate(1994, 12, 31)), lines.mid(0, 944));
    EXPECT_TRUE(DemoHistory::generate(QDate(1993, 9, 15)).isEmpty());
}

// The current game: one evening draw a day from 03/11/2025, sixteen distinct numbers of 1..56.
TEST(DemoHistory, TheCurrentGameDrawsSixteenOfFiftySixEachEvening)
{
    const QDate last(2026, 12, 4);
    const QStringList lines = DemoHistory::generate(FormulaId::Keno16of56, last);
    ASSERT_EQ(lines.size(), QDate(2025, 11, 3).daysTo(last) + 1);
    std::array<int, 57> seen{};
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString& line = lines[i];
        ASSERT_EQ(line.size(), 63) << line.toStdString();
        EXPECT_EQ(line.left(10), QDate(2025, 11, 3).addDays(i).toString(QStringLiteral("dd/MM/yyyy")));
        EXPECT_TRUE(line.endsWith(QStringLiteral(" soir")));
        int previous = 0;
        for (int k = 1; k <= 16; ++k) {
            const int n = line.mid(3 * k + 8, 2).toInt();
            ASSERT_GT(n, previous) << line.toStdString(); // ascending, hence distinct
            ASSERT_LE(n, 56) << line.toStdString();
            previous = n;
            ++seen[static_cast<size_t>(n)];
        }
    }
    // Every number comes out, about 16/56 of the draws each.
    for (int n = 1; n <= 56; ++n)
        EXPECT_NEAR(seen[static_cast<size_t>(n)], lines.size() * 16.0 / 56, lines.size() * 0.1) << n;
    EXPECT_EQ(DemoHistory::generate(FormulaId::Keno16of56, last), lines); // the same on every run
    EXPECT_TRUE(DemoHistory::generate(FormulaId::Keno16of56, QDate(2025, 11, 2)).isEmpty());
}

TEST(DemoHistory, TheFolderHoldsBothGamesFiles)
{
    QTemporaryDir dir;
    QString error;
    const QDate last(2026, 1, 31);
    ASSERT_TRUE(DemoHistory::writeDemoFolder(dir.path(), last, &error)) << error.toStdString();
    for (FormulaId id : Formula::all()) {
        const Formula& f = Formula::get(id);
        const QByteArray expected = crlf(DemoHistory::generate(id, last));
        EXPECT_EQ(readFile(dir.filePath(f.workingFile)), expected);
        EXPECT_EQ(readFile(dir.filePath(f.baseFile)), expected);
        const HistoryFile::ListReadResult read = HistoryFile::readList(dir.filePath(f.workingFile));
        EXPECT_TRUE(read.found && read.badLines == 0 && read.list.formulaId() == id) << f.key.toStdString();
        // A multiplier for every draw from 2007 on, none before, each one the operator draws.
        const MultiplierFile::ReadResult values = MultiplierFile::read(dir.filePath(f.multiplierFile), id);
        ASSERT_TRUE(values.found && !values.failed) << values.notice.toStdString();
        const std::vector<int> perDraw = values.values.forItems(read.list);
        std::map<int, int> seen;
        for (int i = 0; i < read.list.drawCount(); ++i) {
            const int m = perDraw[static_cast<size_t>(i)];
            EXPECT_EQ(m != 0, read.list.date(i).year() >= 2007) << read.list.text(i).toStdString();
            ++seen[m];
        }
        EXPECT_EQ(values.values.size(), read.list.drawCount() - seen[0]);
        seen.erase(0);
        // Several values, x1 the most frequent.
        EXPECT_GE(seen.size(), 4u);
        EXPECT_EQ(std::max_element(seen.begin(), seen.end(), [](auto a, auto b) { return a.second < b.second; })->first, 1);
    }
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 6);
    // The same on every run.
    QTemporaryDir again;
    ASSERT_TRUE(DemoHistory::writeDemoFolder(again.path(), last, &error));
    for (FormulaId id : Formula::all())
        EXPECT_EQ(readFile(again.filePath(Formula::get(id).multiplierFile)),
                  readFile(dir.filePath(Formula::get(id).multiplierFile)));
}
