// SPDX-License-Identifier: GPL-3.0-or-later
#include "acquire/HistoryImport.h"
#include "acquire/ManualEntry.h"
#include "support/GameArchive.h"
#include "support/TestSupport.h"

#include <QDir>

namespace {

using namespace TestSupport;

const QDate kToday(2025, 12, 1);

class HistoryImportTest : public ::testing::Test {
protected:
    QTemporaryDir m_temp;
    QString m_archive = m_temp.filePath(QStringLiteral("archive.zip"));
    std::vector<GameArchive::Draw> m_draws = GameArchive::draws(6, QDate(2025, 11, 3));

    static DrawList newGameHistory(const QStringList& lines)
    {
        DrawList history = DrawList::fromLines(lines);
        history.setFormula(FormulaId::Keno16of56);
        return history;
    }
};

} // namespace

TEST_F(HistoryImportTest, TheNewGamesArchiveBringsWhatItsHistoryLacksWithTheMultipliers)
{
    writeZip(m_archive, {{"keno_202511.csv", GameArchive::csv(m_draws)}});
    const QStringList lines = GameArchive::lines(m_draws);
    const HistoryImport::Outcome outcome = HistoryImport::run(m_archive, newGameHistory(lines.mid(0, 4)), kToday);
    EXPECT_TRUE(outcome.ok()) << outcome.failure.toStdString();
    EXPECT_EQ(outcome.checked.lines, lines.mid(4));
    EXPECT_EQ(outcome.checked.known, 4);
    // Draws 4 and 5 of the made-up archive: the multiplier 2, then 2 (every third is 3).
    EXPECT_EQ(outcome.multipliers, (QList<std::optional<int>>{2, 2}));
    EXPECT_EQ(outcome.archive.formula, FormulaId::Keno16of56);
}

// An archive of one game never goes into the other's history: one sentence says so.
TEST_F(HistoryImportTest, AnArchiveOfTheOtherGameIsRefusedWhole)
{
    struct Case {
        QByteArray csv;
        DrawList history;
        const char* sentence;
    };
    const QStringList classic = makeHistory(4, QDate(2025, 10, 1));
    for (const auto& [csv, history, sentence] :
         {Case{GameArchive::csv(m_draws), DrawList::fromLines(classic),
               "Cette archive est celle du Keno 16 sur 56 ; l'historique ouvert est celui du Keno 20 sur 70."},
          Case{operatorCsv(makeHistory(8, QDate(2025, 10, 1))), newGameHistory({}),
               "Cette archive est celle du Keno 20 sur 70 ; l'historique ouvert est celui du Keno 16 sur 56."}}) {
        writeZip(m_archive, {{"keno.csv", csv}});
        const HistoryImport::Outcome outcome = HistoryImport::run(m_archive, history, kToday);
        EXPECT_FALSE(outcome.ok()) << sentence;
        EXPECT_EQ(outcome.failure, QString::fromUtf8(sentence));
        EXPECT_EQ(outcome.archive.wrongGame, QString::fromUtf8(sentence));
        EXPECT_TRUE(outcome.archive.lines.isEmpty() && outcome.checked.lines.isEmpty()) << sentence;
        EXPECT_FALSE(outcome.nothingNew);
    }
}

// "Nothing new" is a failure that says what became of the archive's rows, never a silent success.
TEST_F(HistoryImportTest, AnImportThatBringsNothingFailsAndSaysWhy)
{
    const QStringList lines = GameArchive::lines(m_draws);
    writeZip(m_archive, {{"keno_202511.csv", GameArchive::csv(m_draws)}});
    HistoryImport::Outcome outcome = HistoryImport::run(m_archive, newGameHistory(lines), kToday);
    EXPECT_FALSE(outcome.ok());
    EXPECT_TRUE(outcome.nothingNew);
    EXPECT_EQ(outcome.failure, QStringLiteral("L'archive n'apporte aucun tirage nouveau (6 tirages déjà dans l'historique)."));

    // Rows refused and draws of tomorrow: still nothing new, and each cause is said.
    std::vector<GameArchive::Draw> odd = m_draws;
    odd[0].numbers[0] = odd[0].numbers[1];
    odd.push_back({kToday.addDays(1), GameArchive::sixteen(1)});
    writeZip(m_archive, {{"keno_202511.csv", GameArchive::csv(odd)}});
    outcome = HistoryImport::run(m_archive, newGameHistory(lines.mid(1)), kToday);
    EXPECT_TRUE(outcome.nothingNew);
    EXPECT_EQ(outcome.failure,
              QStringLiteral("L'archive n'apporte aucun tirage nouveau (5 tirages déjà dans l'historique, "
                             "1 ligne ignorée, 1 tirage refusé (1 postérieur à aujourd'hui))."));

    // A header and no row.
    writeZip(m_archive, {{"keno_202511.csv", GameArchive::csv({})}});
    outcome = HistoryImport::run(m_archive, newGameHistory({}), kToday);
    EXPECT_EQ(outcome.failure, QStringLiteral("L'archive ne contient aucun tirage."));

    // An archive that is no ZIP: the extraction's reason.
    writeFile(m_archive, "not an archive");
    outcome = HistoryImport::run(m_archive, newGameHistory({}), kToday);
    EXPECT_FALSE(outcome.ok());
    EXPECT_FALSE(outcome.nothingNew);
    EXPECT_FALSE(outcome.failure.isEmpty());
}

TEST(ManualEntry, TheNextDrawOfEachGame)
{
    // The new game draws once a day: the next draw is the next day's evening, across a month's end.
    const QString lastOfMonth = GameArchive::line({QDate(2025, 11, 30), GameArchive::sixteen(0)});
    const std::optional<ManualEntry::Slot> next = ManualEntry::after(lastOfMonth, Formula::current());
    ASSERT_TRUE(next);
    EXPECT_EQ(next->dateText, QStringLiteral("01/12/2025"));
    EXPECT_EQ(next->slot, QStringLiteral(" soir"));
    EXPECT_FALSE(ManualEntry::after(QStringLiteral("xx/11/2025 01 soir"), Formula::current()));

    // The classic game keeps midday then evening.
    const QString midi = drawFrom("02/11/2025", 1), soir = drawFrom("01/11/2025", 1, " soir");
    EXPECT_EQ(ManualEntry::after(midi)->dateText, QStringLiteral("02/11/2025"));
    EXPECT_EQ(ManualEntry::after(midi)->slot, QStringLiteral(" soir"));
    EXPECT_EQ(ManualEntry::after(soir)->dateText, QStringLiteral("02/11/2025"));
    EXPECT_EQ(ManualEntry::after(soir)->slot, QStringLiteral(" midi"));

    // The numbers ticked, ascending, up to the largest number of any game.
    std::array<bool, Formula::kMaxNumber + 1> ticked{};
    ticked[Formula::kMaxNumber] = ticked[3] = true;
    EXPECT_EQ(ManualEntry::numbersText(ticked), QStringLiteral(" 03 %1").arg(Formula::kMaxNumber));
}
