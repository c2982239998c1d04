// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDate>
#include <QStringList>

namespace DemoHistory {

// Twice a day (midi, then soir) from 16/09/1993 to `lastDay` included, twenty distinct
// numbers in ascending order, from a fixed seed: the same history on every machine.
QStringList generate(const QDate& lastDay, quint32 seed = 20260916u);

// Writes Tirages_keno.txt (the whole demo history) and Tirages.txt (the same history) into
// `folder`; false with a French reason on failure.
bool writeDemoFolder(const QString& folder, const QDate& lastDay, QString* error);

} // namespace DemoHistory
