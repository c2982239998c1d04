#pragma once

#include <QString>

// The title of every message box of the program, and the French forms its messages share.
namespace Messages {

inline const QString kTitle = QStringLiteral("Tiravol");

// "1 tirage", "2 tirages": the count and the noun in the form that agrees with it (0 and 1
// take the singular in French).
inline QString count(qint64 n, const QString& singular, const QString& plural)
{
    return QString::number(n) + QLatin1Char(' ') + (n <= 1 && n >= -1 ? singular : plural);
}

// The verb form that agrees with a count: `singular` for 0 and 1.
inline QString agree(qint64 n, const QString& singular, const QString& plural)
{
    return n <= 1 && n >= -1 ? singular : plural;
}

} // namespace Messages
