// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>
#include <vector>

// The sixteen-of-fifty-six game's archive and history lines, written here apart from the program.
namespace GameArchive {

// One draw of the new game: its day, its sixteen numbers as drawn, its multiplier ("" = none).
struct Draw {
    QDate day;
    QList<int> numbers;
    QByteArray multiplier = "2";
};

// Sixteen distinct numbers of 1..56 made from `seed`, in no particular order.
inline QList<int> sixteen(int seed)
{
    QList<int> numbers;
    for (int k = 0; numbers.size() < 16; ++k) {
        const int n = (seed * 7 + k * 13) % 56 + 1;
        if (!numbers.contains(n))
            numbers << n;
    }
    return numbers;
}

// The history line: "dd/mm/yyyy", sixteen " NN", " soir" (63 characters).
inline QString line(const Draw& draw)
{
    QString text = draw.day.toString(QStringLiteral("dd/MM/yyyy"));
    for (int n : draw.numbers)
        text += QStringLiteral(" %1").arg(n, 2, 10, QLatin1Char('0'));
    return text + QStringLiteral(" soir");
}

inline QStringList lines(const std::vector<Draw>& draws)
{
    QStringList out;
    for (const Draw& draw : draws)
        out << line(draw);
    return out;
}

// `count` draws, one an evening from `first`.
inline std::vector<Draw> draws(int count, const QDate& first)
{
    std::vector<Draw> out;
    for (int i = 0; i < count; ++i)
        out.push_back({first.addDays(i), sixteen(i), i % 3 == 0 ? "3" : "2"});
    return out;
}

// The operator's CSV of these draws (given oldest first, written newest first): the columns as
// the new archive names them, no time of day, the odd jokerplus texts and the trailing ";".
inline QByteArray csv(const std::vector<Draw>& draws)
{
    QByteArray text = "annee_numero_de_tirage;date_de_tirage;date_de_forclusion";
    for (int k = 1; k <= 16; ++k)
        text += ";boule" + QByteArray::number(k);
    text += ";multiplicateur;numero_jokerplus;devise;\r\n";
    const QByteArray jokers[] = {"0 062 640", "1162999", "Jokerplus indisponible"};
    for (auto it = draws.rbegin(); it != draws.rend(); ++it) {
        QByteArray row = "25" + QByteArray::number(it->day.dayOfYear()) + ';'
            + it->day.toString(QStringLiteral("dd/MM/yyyy")).toLatin1() + ";"
            + it->day.addDays(60).toString(QStringLiteral("dd/MM/yyyy")).toLatin1();
        for (int n : it->numbers)
            row += ';' + QByteArray::number(n);
        text += row + ';' + it->multiplier + ';' + jokers[it->day.day() % 3] + ";eur;\r\n";
    }
    return text;
}

} // namespace GameArchive
