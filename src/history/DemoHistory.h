// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "history/DrawList.h"
#include "history/Formula.h"
#include "history/Multipliers.h"

#include <QDate>
#include <QStringList>

namespace DemoHistory {

constexpr quint32 kClassicSeed = 20260916u;
constexpr quint32 kCurrentSeed = 20251103u;
constexpr quint32 kMultiplierSeed = 20070101u;
// The archives give a multiplier from this year on.
constexpr int kFirstMultiplierYear = 2007;

// Every draw of the game from its first day to `lastDay` included (to its own last day at most),
// in the order of the day's draw times, its numbers distinct and in ascending order, from a
// fixed seed: the same history on every machine.
QStringList generate(FormulaId id, const QDate& lastDay, quint32 seed);
QStringList generate(FormulaId id, const QDate& lastDay);
// The twenty-of-seventy game: twice a day (midi, then soir) from 16/09/1993 to 02/11/2025 at most.
QStringList generate(const QDate& lastDay, quint32 seed = kClassicSeed);

// A multiplier for each draw of `draws` from kFirstMultiplierYear on, the same on every machine.
Multipliers demoMultipliers(const DrawList& draws);

// Writes the working and the base history of both games (each the whole demo history of its
// game, to `lastDay` at most) and their multipliers into `folder`; false with a French reason on failure.
bool writeDemoFolder(const QString& folder, const QDate& lastDay, QString* error);

} // namespace DemoHistory
