// SPDX-License-Identifier: GPL-3.0-or-later
#include "history/Formula.h"

namespace {

// The 1 € table the operator printed on the back of the twenty-of-seventy slip: row k ticked,
// column m matched. Every amount of it is known (a blank pays nothing).
PayTable classicTable()
{
    static constexpr qint64 rows[11][11] = {
        {},
        {0, 1},
        {0, 0, 6},
        {0, 0, 2, 10},
        {0, 0, 0, 5, 50},
        {0, 0, 0, 2, 10, 100},
        {0, 0, 0, 0, 2, 30, 1000},
        {0, 0, 0, 0, 2, 5, 70, 3000},
        {2, 0, 0, 0, 0, 5, 20, 100, 10000},
        {1, 0, 0, 0, 1, 2, 8, 20, 200, 40000},
        {1, 0, 0, 0, 0, 2, 5, 15, 100, 2500, 200000},
    };
    PayTable table;
    for (int k = 1; k <= PayTable::kMaxTicked; ++k)
        for (int m = 0; m <= k; ++m)
            table.amounts[k][m] = rows[k][m];
    return table;
}

// Only some amounts of the sixteen-of-fifty-six game are public (1 € stake); the others stay
// unknown until the player fills them in from the slip.
PayTable currentTable()
{
    PayTable table;
    table.amounts[10][10] = 200000;
    table.amounts[9][9] = 30000;
    table.amounts[7][7] = 3000;
    table.amounts[7][6] = 90;
    table.amounts[7][5] = 5;
    return table;
}

Formula makeClassic()
{
    Formula f;
    f.id = FormulaId::Keno20of70;
    f.key = QStringLiteral("20-70");
    f.name = QStringLiteral("Keno 20 sur 70 (1993–2025)");
    f.shortName = QStringLiteral("Keno 20/70");
    f.numbers = 70;
    f.drawn = 20;
    f.minTicked = 1;
    f.maxTicked = 10;
    f.drawSlots = {{QStringLiteral("midi"), 13, 45}, {QStringLiteral("soir"), 21, 0}};
    f.firstDay = QDate(1993, 9, 16);
    f.lastDay = QDate(2025, 11, 2);
    f.gridColumns = 10;
    f.workingFile = QStringLiteral("Tirages_keno.txt");
    f.baseFile = QStringLiteral("Tirages.txt");
    f.multiplierFile = QStringLiteral("Multiplicateurs_keno.txt");
    f.archiveUrlKey = QStringLiteral("FileFdesjeux");
    f.defaultArchiveUrl = QStringLiteral("https://www.fdesjeux.com/generated/game/keno/keno_gagnant_a_vie.zip");
    f.payTable = classicTable();
    return f;
}

Formula makeCurrent()
{
    Formula f;
    f.id = FormulaId::Keno16of56;
    f.key = QStringLiteral("16-56");
    f.name = QStringLiteral("Keno 16 sur 56 (depuis le 03/11/2025)");
    f.shortName = QStringLiteral("Keno 16/56");
    f.numbers = 56;
    f.drawn = 16;
    f.minTicked = 4;
    f.maxTicked = 10;
    f.drawSlots = {{QStringLiteral("soir"), 20, 0}};
    f.firstDay = QDate(2025, 11, 3);
    f.gridColumns = 8;
    f.workingFile = QStringLiteral("Tirages_keno_16-56.txt");
    f.baseFile = QStringLiteral("Tirages_16-56.txt");
    f.multiplierFile = QStringLiteral("Multiplicateurs_16-56.txt");
    f.archiveUrlKey = QStringLiteral("FileFdesjeux16-56");
    f.defaultArchiveUrl = QStringLiteral("https://www.fdesjeux.com/generated/game/keno/keno_202511.zip");
    f.payTable = currentTable();
    return f;
}

} // namespace

std::optional<qint64> PayTable::amount(int ticked, int matched) const
{
    if (ticked < 0 || ticked > kMaxTicked || matched < 0 || matched > ticked)
        return std::nullopt;
    return amounts[ticked][matched];
}

bool PayTable::rowKnown(int ticked) const
{
    for (int m = 0; m <= ticked; ++m)
        if (!amount(ticked, m))
            return false;
    return true;
}

std::vector<NumberRange> Formula::runs(int size) const
{
    std::vector<NumberRange> out;
    for (int first = 1; first <= numbers; first += size)
        out.push_back({first, std::min(first + size - 1, numbers)});
    return out;
}

bool Formula::ranOn(const QDate& day) const
{
    return day.isValid() && day >= firstDay && (!lastDay.isValid() || day <= lastDay);
}

int Formula::slotIndex(QStringView word) const
{
    for (int i = 0; i < slotCount(); ++i)
        if (word == drawSlots[static_cast<size_t>(i)].word)
            return i;
    return -1;
}

QString Formula::shortLabel() const
{
    return QStringLiteral("%1 sur %2").arg(drawn).arg(numbers);
}

const Formula& Formula::get(FormulaId id)
{
    static const Formula classic = makeClassic();
    static const Formula current = makeCurrent();
    return id == FormulaId::Keno20of70 ? classic : current;
}

std::optional<FormulaId> Formula::fromKey(QStringView key)
{
    for (FormulaId id : all())
        if (key == get(id).key)
            return id;
    return std::nullopt;
}

std::optional<FormulaId> Formula::ofLine(QStringView line)
{
    for (FormulaId id : all())
        if (line.size() == get(id).lineLength())
            return id;
    return std::nullopt;
}

FormulaId Formula::playedOn(const QDate& day)
{
    return day >= get(FormulaId::Keno16of56).firstDay ? FormulaId::Keno16of56 : FormulaId::Keno20of70;
}
