// SPDX-License-Identifier: GPL-3.0-or-later
#include "acquire/CsvImport.h"
#include "support/GameArchive.h"
#include "support/TestSupport.h"

using TestSupport::drawFrom;

namespace {

// A row whose numbers are first..first+19, number `at` written `as` instead.
QByteArray row(const QByteArray& date = "10/10/2020", const QByteArray& slot = "midi", int first = 1, int at = -1,
               const QByteArray& as = {}, const QByteArray& tail = ";2;1 234 567;eur;")
{
    QByteArray text = "2024001;" + date + ';' + slot + ";01/01/2025";
    for (int k = 0; k < 20; ++k)
        text += ';' + (k == at ? as : QByteArray::number(first + k));
    return text + tail;
}

QByteArray file(const std::vector<QByteArray>& rows, const QByteArray& eol = "\n")
{
    QByteArray text = "annee_numero_de_tirage;date_de_tirage;heure_de_tirage";
    for (const QByteArray& r : rows)
        text += eol + r;
    return text + eol;
}

} // namespace

TEST(CsvImport, HeaderAndLastPieceAreNeverRowsAndLinesComeOldestFirst)
{
    const std::vector<QByteArray> rows
        = {row("02/01/2024", "midi", 1), row("01/01/2024", "soir", 3), row("01/01/2024", "midi", 40)};
    const CsvImport::Conversion all = CsvImport::convert(file(rows));
    EXPECT_EQ(all.rows, 3);
    EXPECT_EQ(all.lines,
              QStringList({drawFrom("01/01/2024", 40), drawFrom("01/01/2024", 3, " soir"), drawFrom("02/01/2024", 1)}));

    // Without a final line feed the oldest row is the last piece, and is lost.
    const CsvImport::Conversion cut = CsvImport::convert(file(rows).chopped(1));
    EXPECT_EQ(cut.rows, 2);
    EXPECT_EQ(cut.lines, all.lines.mid(1));
    EXPECT_EQ(CsvImport::convert(file({})).rows, 0);
}

TEST(CsvImport, LineEndsBlanksAndExtraColumnsGiveTheSameLines)
{
    QByteArray padded = "2024001; 03/02/2023 ;SOIR;x"; // blanks, tabs, leading zeros, upper case, many more columns
    for (int k = 1; k <= 20; ++k)
        padded += ";\t0" + QByteArray::number(k) + ' ';
    const std::vector<QByteArray> plain = {row("03/02/2023", "soir", 1), row("03/02/2023", "midi", 21)};
    const std::vector<QByteArray> odd = {padded + QByteArray(";x").repeated(60), row("03/02/2023", "midi ", 21, -1, {}, "")};
    for (const QByteArray& text : {file(plain), file(plain, "\r\n"), file(odd), file(odd, "\r\n")})
        EXPECT_EQ(CsvImport::convert(text).lines,
                  QStringList({drawFrom("03/02/2023", 21, " midi"), drawFrom("03/02/2023", 1, " soir")}))
            << text.constData();
}

TEST(CsvImport, EachKindOfBadRowIsSkippedCountedAndExplained)
{
    const std::vector<std::pair<QByteArray, const char*>> bad
        = {{row("10/10/2020", "midi", 1, 19, "71"), "numéro hors de 1..70 (71)"},
           {row("10/10/2020", "midi", 1, 0, "0"), "numéro hors de 1..70 (0)"},
           {row("10/10/2020", "midi", 1, 1, "1"), "numéro répété (1)"},
           {row("10/10/2020", "midi", 1, 2, "x3"), "numéro illisible (x3)"},
           {"2024001;10/10/2020;midi;01/01/2025;1;2;3", "7 champs au lieu d'au moins 24"},
           {row("31/02/2020"), "date invalide (31/02/2020)"},
           {row("1/10/2020"), "date invalide (1/10/2020)"},
           {row("10/10/2020", "nuit"), "tirage ni midi ni soir (nuit)"},
           {row("10/10/2020", "\xE9t\xE9"), "tirage ni midi ni soir (été)"}, // Windows-1252
           {row("10/10/2020", "\xC3\xA9t\xC3\xA9"), "tirage ni midi ni soir (été)"},
           {"", "ligne vide"}};
    for (const auto& [text, reason] : bad) {
        const CsvImport::Conversion result = CsvImport::convert(file({row("11/10/2020", "soir", 30), text, row()}));
        EXPECT_EQ(result.skipped, 1) << reason;
        EXPECT_EQ(result.lines, QStringList({drawFrom("10/10/2020", 1, " midi"), drawFrom("11/10/2020", 30, " soir")})) << reason;
        EXPECT_EQ(result.reasons, QStringList{QStringLiteral("ligne 3 : ") + QString::fromUtf8(reason)});
    }
    // Every refusal is counted, only the first few are explained.
    const CsvImport::Conversion all = CsvImport::convert(file(std::vector<QByteArray>(15, row("31/02/2020"))));
    EXPECT_EQ(all.skipped, 15);
    EXPECT_EQ(all.reasons.size(), CsvImport::kMaxReasons);
}

namespace {

// The classic archive's last file as it grew until 2025: the multiplier, the jokerplus texts and
// the trailing ";" after the twenty numbers.
QByteArray lastClassicCsv()
{
    QByteArray text = "annee_numero_de_tirage;date_de_tirage;heure_de_tirage;date_de_forclusion";
    for (int k = 1; k <= 20; ++k)
        text += ";boule" + QByteArray::number(k);
    text += ";multiplicateur;numero_jokerplus;devise;\r\n";
    text += row("02/11/2025", "soir", 51, -1, {}, ";5;Jokerplus indisponible;eur;\r\n");
    text += row("02/11/2025", "midi", 1, -1, {}, ";;0 062 640;eur;\r\n");
    return text;
}

} // namespace

TEST(CsvImport, TheHeaderSaysWhichGameAndWhereEachColumnIs)
{
    // The new game: no time of day (the draw is the evening's), sixteen numbers, a multiplier.
    const std::vector<GameArchive::Draw> draws = GameArchive::draws(3, QDate(2025, 11, 3));
    CsvImport::Conversion result = CsvImport::convert(GameArchive::csv(draws));
    EXPECT_EQ(result.formula, FormulaId::Keno16of56);
    EXPECT_TRUE(result.headerProblem.isEmpty()) << result.headerProblem.toStdString();
    ASSERT_EQ(result.lines, GameArchive::lines(draws));
    EXPECT_EQ(result.lines.first().size(), 63);
    EXPECT_EQ(result.multipliers, (QList<std::optional<int>>{3, 2, 2}));
    EXPECT_EQ(result.skipped, 0) << result.reasons.join(QLatin1Char('|')).toStdString();

    // The classic game's last file: the jokerplus texts are never read as numbers, an empty
    // multiplier is none.
    result = CsvImport::convert(lastClassicCsv());
    EXPECT_EQ(result.formula, FormulaId::Keno20of70);
    EXPECT_EQ(result.lines, QStringList({drawFrom("02/11/2025", 1), drawFrom("02/11/2025", 51, " soir")}));
    EXPECT_EQ(result.multipliers, (QList<std::optional<int>>{std::nullopt, 5}));

    // A number out of the new game's range is refused with its range.
    std::vector<GameArchive::Draw> bad = draws;
    bad[1].numbers[4] = 57;
    result = CsvImport::convert(GameArchive::csv(bad));
    EXPECT_EQ(result.reasons, QStringList{QStringLiteral("ligne 3 : numéro hors de 1..56 (57)")});
}

TEST(CsvImport, ColumnsInAnotherOrderAreReadByTheirNames)
{
    // The same rows with the columns shuffled: the date last, the numbers backwards, the slot first.
    QByteArray header = "heure_de_tirage;multiplicateur";
    for (int k = 20; k >= 1; --k)
        header += ";BOULE" + QByteArray::number(k);
    header += ";\"date_de_tirage\"\r\n";
    QByteArray text = header;
    for (const auto& [date, slot, first] : {std::tuple("03/02/2023", "soir", 1), std::tuple("03/02/2023", "midi", 21)}) {
        QByteArray line = QByteArray(slot) + ";3";
        for (int k = 20; k >= 1; --k)
            line += ';' + QByteArray::number(first + k - 1);
        text += line + ';' + date + "\r\n";
    }
    const CsvImport::Conversion result = CsvImport::convert(text);
    EXPECT_EQ(result.lines, QStringList({drawFrom("03/02/2023", 21, " midi"), drawFrom("03/02/2023", 1, " soir")}));
    EXPECT_EQ(result.multipliers, (QList<std::optional<int>>{3, 3}));

    // A short row is told how many fields the named columns need.
    const CsvImport::Conversion shortRow = CsvImport::convert(header + "soir;2;1;2;3\r\n");
    EXPECT_EQ(shortRow.reasons, QStringList{QStringLiteral("ligne 2 : 5 champs au lieu d'au moins 23")});
}

TEST(CsvImport, AHeaderOfNeitherGameIsRefusedAndOnlyBouleColumnsCount)
{
    QByteArray ten = "date_de_tirage";
    for (int k = 1; k <= 10; ++k)
        ten += ";boule" + QByteArray::number(k);
    const CsvImport::Conversion result = CsvImport::convert(ten + "\r\n01/12/2025;1;2;3;4;5;6;7;8;9;10\r\n");
    EXPECT_TRUE(result.lines.isEmpty());
    EXPECT_EQ(result.headerProblem,
              QStringLiteral("l'en-tête nomme les colonnes boule1 à boule10 : ce n'est l'archive ni du Keno 20 sur 70 ni du "
                             "Keno 16 sur 56"));
    EXPECT_FALSE(CsvImport::hasDrawHeader(ten));

    // The old files' seventy "emplacement" columns are no numbers of the draw.
    QByteArray spots = "annee;date_de_tirage;heure_de_tirage";
    for (int k = 1; k <= 20; ++k)
        spots += ";emplacement" + QByteArray::number(k);
    EXPECT_FALSE(CsvImport::hasDrawHeader(spots));
    EXPECT_TRUE(CsvImport::hasDrawHeader(GameArchive::csv({})));
    EXPECT_TRUE(CsvImport::hasDrawHeader(lastClassicCsv()));
    // The new game's archive without its date column.
    EXPECT_FALSE(CsvImport::hasDrawHeader(GameArchive::csv({}).replace("date_de_tirage", "jour")));
}
