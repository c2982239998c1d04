// SPDX-License-Identifier: GPL-3.0-or-later
#include "analyses/GridPresets.h"

namespace GridPresets {

namespace {

// The last digits 1..9, then 0 as the tenth item.
constexpr int kDigitItems = 10;

} // namespace

int colonnesCount(const Formula& formula)
{
    return static_cast<int>(formula.runs(formula.gridColumns).size());
}

std::vector<int> colonnes(int index, const Formula& formula)
{
    std::vector<int> numbers;
    if (index < 0 || index >= colonnesCount(formula))
        return numbers;
    const NumberRange row = formula.runs(formula.gridColumns)[static_cast<size_t>(index)];
    for (int n = row.first; n <= row.last; ++n)
        numbers.push_back(n);
    return numbers;
}

QString colonnesCaption(int index, const Formula& formula)
{
    if (index < 0 || index >= colonnesCount(formula))
        return {};
    const NumberRange row = formula.runs(formula.gridColumns)[static_cast<size_t>(index)];
    return QString::number(row.first) + QLatin1Char('-') + QString::number(row.last);
}

std::vector<int> finales(int index, const Formula& formula)
{
    std::vector<int> numbers;
    if (index < 1 || index > kDigitItems)
        return numbers;
    for (int n = index; n <= formula.numbers; n += kDigitItems)
        numbers.push_back(n);
    return numbers;
}

QString finalesCaption(int index)
{
    if (index < 1 || index > kDigitItems)
        return {};
    return QString::number(index % kDigitItems);
}

} // namespace GridPresets
