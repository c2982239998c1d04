// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "history/Formula.h"

#include <QString>
#include <QStringList>

// The files the program ships with: the help document and the tips file. They lie beside the
// executable in the build folder, and in share/tiravol once installed. And the files each game
// keeps in the data folder.
namespace AppFiles {

constexpr const char* kHelpName = "aidekeno.pdf";
constexpr const char* kTipsName = "Conseil.txt";

// The folders searched, in order: the program's folder, ../share/tiravol beside it (any
// install prefix), then tiravol/ in every system data folder (XDG_DATA_DIRS).
QStringList searchFolders(const QString& programFolder);

// The full path of `name` in the first folder that holds it; empty when none does.
QString find(const QString& name, const QString& programFolder);
// The same from the running program's own folder.
QString find(const QString& name);

QString helpDocument();
QString tipsFile();

// The working and the base history of game `id` in `dataFolder`, found whatever the case of their
// names (the path to create when there is none).
QString workingHistory(const QString& dataFolder, FormulaId id);
QString baseHistory(const QString& dataFolder, FormulaId id);

} // namespace AppFiles
