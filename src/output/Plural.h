// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// French agreement with a count: 0 and 1 take the singular.
namespace Plural {

inline bool singular(qint64 n)
{
    return n <= 1 && n >= -1;
}

// "1 tirage", "2 tirages".
inline QString count(qint64 n, const QString& one, const QString& many)
{
    return QString::number(n) + QLatin1Char(' ') + (singular(n) ? one : many);
}

// The form of a word that agrees with a count.
inline QString agree(qint64 n, const QString& one, const QString& many)
{
    return singular(n) ? one : many;
}

} // namespace Plural
