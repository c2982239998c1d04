// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "chance/Ticket.h"

#include <QByteArray>
#include <QString>
#include <vector>

// The player's tickets, kept in "Grilles.txt" in the data folder: UTF-8, one ticket a line,
//   name;game;numbers;stake;option;first draw;last draw
//   Paul;16-56;3,7,12,25,40;2;multiplicateur;14/11/2025 soir;
// the option "multiplicateur" or empty, the last draw empty while the ticket is played. Lines
// starting with '#' and empty lines are not read. The file is read whole before every use and
// replaced atomically, so a player's edit and a crash never leave half a list.
struct TicketsFile {
    static constexpr const char* kFileName = "Grilles.txt";

    std::vector<Ticket> tickets;
    // One French line when the file could not be read or holds a line that is no ticket (the
    // tickets are then empty: nothing may be written over a file not understood); empty otherwise.
    // A missing file is no error: the player has no ticket yet.
    QString error;

    static TicketsFile read(const QString& path);
    static TicketsFile parse(const QByteArray& bytes);
    static QByteArray serialize(const std::vector<Ticket>& tickets);
    // Writes the tickets atomically; false with *error (French) when the old file is kept.
    static bool write(const QString& path, const std::vector<Ticket>& tickets, QString* error);

    // A draw time as the file and the command line write it: "14/11/2025 soir", or the day
    // alone, then the first slot of the day (`lastOfDay`: the last one). Invalid when unreadable.
    static DrawTime parseTime(const QString& text, const Formula& formula, bool lastOfDay);
};
