// SPDX-License-Identifier: GPL-3.0-or-later
#include "analyses/GridPresets.h"

namespace GridPresets {

std::vector<int> colonnes(int index)
{
    std::vector<int> numbers;
    if (index < 0 || index > 6)
        return numbers;
    for (int n = 10 * index + 1; n <= 10 * index + 10; ++n)
        numbers.push_back(n);
    return numbers;
}

QString colonnesCaption(int index)
{
    if (index < 0 || index > 6)
        return {};
    return QString::number(10 * index + 1) + QLatin1Char('-') + QString::number(10 * index + 10);
}

std::vector<int> finales(int index)
{
    std::vector<int> numbers;
    if (index < 1 || index > 10)
        return numbers;
    for (int t = 0; t <= 6; ++t)
        numbers.push_back(index + 10 * t);
    return numbers;
}

QString finalesCaption(int index)
{
    if (index < 1 || index > 10)
        return {};
    return QString::number(index % 10);
}

} // namespace GridPresets
