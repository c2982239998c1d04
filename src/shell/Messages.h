// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "output/Plural.h"

#include <QString>

// The title of every message box of the program, and the French forms its messages share.
namespace Messages {

inline const QString kTitle = QStringLiteral("Tiravol");

// "1 tirage", "2 tirages" (see Plural).
inline QString count(qint64 n, const QString& singular, const QString& plural)
{
    return Plural::count(n, singular, plural);
}

inline QString agree(qint64 n, const QString& singular, const QString& plural)
{
    return Plural::agree(n, singular, plural);
}

} // namespace Messages
