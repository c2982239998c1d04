// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "history/Formula.h"

#include <QString>
#include <QStringList>
#include <functional>

// Where the Workspace finds its files and how it reaches the outside.
struct WorkspaceConfig {
    QString dataFolder; // holds each game's working and base histories and the archive
    QString appDataFolder; // holds the folder "Varn"
    QString workingHistoryPath; // empty: the game's working history in dataFolder
    FormulaId formula = FormulaId::Keno20of70; // the game played: its histories are the ones read
    // The window plays the game chosen last (the settings), or the current one on a first run,
    // with the stake chosen last.
    bool gameFromSettings = false;
    QString programName = QStringLiteral("tiravol");
    // Offline = a connection test said there is none; NotChecked = no test (command line).
    enum class Connection { Online, Offline, NotChecked };
    std::function<Connection()> connection; // unset: NotChecked
    QString archiveUrlOverride; // used instead of the settings file's address when not empty
    bool readOnlySettings = false; // the command-line companion never writes the settings file
    bool quietWhenNoWorkingHistory = false; // a first download starts without one
    bool offerFirstRun = false; // the window offers a way to start when the folder holds no history
    // The window keeps a list it could not write and says so; the command line ends with it.
    bool listStaysInWindow = true;
    int writeLockWaitMs = 5000; // how long a writer waits for another program to finish

    const Formula& game() const { return Formula::get(formula); }
    // The working history: workingHistoryPath, or the game's working history of the data folder.
    QString workingHistoryFile() const;
    // The game's base history of the data folder.
    QString baseHistoryFile() const;
    // The settings file of the configuration folder.
    QString settingsFile() const;
    // The criteria file Varn/tiravol.cfg of the configuration folder.
    QString criteriaFile() const;
};
