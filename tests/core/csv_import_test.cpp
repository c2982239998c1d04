// SPDX-License-Identifier: GPL-3.0-or-later
#include "acquire/CsvImport.h"
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
