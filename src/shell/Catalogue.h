// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "shell/CommandOutcome.h"

#include <QList>
#include <QString>

struct CommandUnits;
struct Formula;
class Workspace;

// Every command of both programs, once: where the window shows it, how the command line names
// and explains it, what it reads, and the handler that runs it on the command units. The
// window's menus and the command line's commands, usage and help are made from this table.
namespace Catalogue {

// The groups of common options a command reads on the command line.
enum Reads : unsigned {
    ReadsPeriod = 1u << 0, // the calendar filter and --until
    ReadsNumbers = 1u << 1, // --numbers
    ReadsCriteria = 1u << 2, // --criteria
};

// How the command line runs a command and shows what it did.
enum class CliStyle {
    None, // the window's only
    Report, // runs, prints the report
    Answered, // its arguments answer the input boxes it asks, in order
    Column, // Answered, the argument a column of the draw line
    Walk, // Answered, a walk stopped by Ctrl+C
    Preset, // an indexed grid preset: its argument is the index
    Forecast, // reads --criteria first
    Backtest, // --size and --seed instead of the window's question
    Add, // one draw typed on the command line
    Import, // an archive file instead of the download
    Download,
    BuildBase, // the archives given on the command line
    Tickets, // the report of the tickets, after --ajouter, --terminer or --supprimer one
    PayTable, // prints the table in force; --fixer and --effacer correct one amount first
};

struct Argument {
    QString name; // as the usage shows it: "R", "ARCHIVE..."
    QString description;
};

// An option a single command reads; an empty valueName makes a switch.
struct Option {
    QString name, valueName, description;
};

// The argument of a preset, the range typed and the item it stands for.
struct PresetRange {
    int low = 0, high = 0;
    int (*toIndex)(int typed) = nullptr;
};

struct Entry {
    enum class Kind { Command, Separator, Submenu, WindowAction, Quit };
    using Handler = CommandOutcome (*)(CommandUnits& units, int index);

    QString menu; // objectName of the menu holding it; empty: the command line's only
    QString objectName;
    QString caption;
    QString shortcut; // QKeySequence's portable text
    bool copyKey = false; // the platform's own copy key
    Kind kind = Kind::Command;
    // A submenu of indexed items (F0(1..10), C1(0..6)): each item's objectName and caption
    // and the index its handler receives.
    QString itemName;
    QList<std::pair<QString, int>> items;
    // The caption of the item of index `index` for a game, when it depends on the game.
    QString (*itemCaption)(const Formula& game, int index) = nullptr;
    Handler handler = nullptr;
    // A row that shows a tick while this holds; the ticked rows of one menu exclude each other.
    bool (*checked)(const Workspace& workspace) = nullptr;
    // A ticked row that is a setting of its own, not one of the menu's choice.
    bool toggles = false;

    QString cliName; // empty: the window's only
    QString cliHelp;
    CliStyle cliStyle = CliStyle::None;
    unsigned reads = 0;
    QList<Argument> arguments;
    int minArguments = -1, maxArguments = -1; // -1: as many as `arguments`
    QList<Option> options;
    PresetRange preset;
    bool acquiring = false; // brings draws in: starts without a working history
    bool withoutStartUp = false; // works on files alone: the history is not loaded first
    bool withoutHistory = false; // needs no history at all (the pay table's odds)
    bool writesHistory = false; // holds the data folder's lock from before the history is read
    bool archiveArgument = false; // its argument is an archive fetched instead of the operator's

    bool isSeparator() const { return kind == Kind::Separator; }
    bool isCheckable() const { return checked != nullptr; }
    bool onCommandLine() const { return !cliName.isEmpty(); }
    // Acquiring commands always write the history.
    bool locksFolder() const { return writesHistory || acquiring; }
    // -o: every command but those that work on files alone.
    bool printsReport() const { return !withoutStartUp; }
    int leastArguments() const { return minArguments < 0 ? static_cast<int>(arguments.size()) : minArguments; }
    int mostArguments() const { return maxArguments < 0 ? static_cast<int>(arguments.size()) : maxArguments; }
};

struct Menu {
    QString name; // objectName
    QString caption;
};

// The menu bar in order.
const QList<Menu>& menus();
// Every entry: the window's in menu order, the command line's only beside their kin.
const QList<Entry>& entries();
// The rows of one menu (or submenu), in order.
QList<const Entry*> entriesOf(const QString& menu);
// The command line's commands, in the order of its usage.
QList<const Entry*> cliEntries();
const Entry* findCli(const QString& name);

} // namespace Catalogue
