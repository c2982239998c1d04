// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "history/DrawList.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QStringList>
#include <array>
#include <optional>
#include <vector>

// Reads the bytes of a history file into a DrawList, in pieces of any size, without building a
// text per line. Reading rules: lines end at LF (a CR before it is dropped), a leading UTF-8
// byte-order mark is dropped, every ';' becomes a space, lines are kept whole, lines that are
// not well-formed draws are kept as read, and blank lines are dropped. The file is UTF-8 when
// all of it is valid UTF-8, Windows-1252 otherwise (ASCII reads the same either way).
//
// A history holds the draws of one game: the game said by expect(), or else the game of its first
// draw. A draw of the other game refuses the whole reading (refusal()), never read as a bad line.
class DrawListReader {
public:
    static constexpr int kProblemsShown = 5;

    // The game the lines must be draws of (the history file's own).
    void expect(FormulaId id) { m_expected = id; }
    // Room for about this many draws (a file's size / 77 is a good guess).
    void reserve(int draws) { m_list.reserve(draws); }
    void feed(QByteArrayView bytes);
    // Ends the reading: the list, with badLines() and problems() describing what was odd; an empty
    // list when the lines mix the two games.
    DrawList finish();
    // Why the lines were refused, in French ("la ligne 12 est un tirage du Keno 20 sur 70, pas du
    // Keno 16 sur 56"); empty when they were not.
    const QString& refusal() const { return m_refusal; }

    // Lines that are not well-formed draws (kept) and blank lines in the middle (dropped).
    int badLines() const { return m_badLines; }
    // The first few reasons, "ligne N : ...".
    const QStringList& problems() const { return m_problems; }

private:
    enum class Odd : unsigned char { Blank, Text, Record };
    struct OddLine {
        int lineNo;
        int item; // index in the list, or -1 for a blank line
        Odd kind;
        bool last; // the text after the last line break
        bool mayBeBlank = false; // non-ASCII without ';': blank or not once decoded
    };

    void takeLine(const char* data, qsizetype size, bool last);
    // A record read from a line in the draw shape may still be no draw: a date that does not
    // exist, a number outside the game's, a number twice.
    static bool recordIsDraw(const DrawList::Item& item);
    // The game of a record: the one drawing as many numbers as the record holds.
    static const Formula& formulaOf(const DrawList::Item& item);
    // Keeps the first line that is a draw of each game.
    void noteDraw(FormulaId id, int lineNo);
    // The list's game, or the refusal when the lines mix the games.
    void decideFormula();
    // Counts and describes the odd lines; drops the lines blank once decoded.
    void describeOddLines();

    DrawList m_list;
    QByteArray m_partial; // an unfinished line between two pieces
    bool m_started = false;
    bool m_utf8 = true;
    int m_lineNo = 0;
    std::vector<OddLine> m_odd;
    int m_badLines = 0;
    QStringList m_problems;
    std::optional<FormulaId> m_expected;
    // By FormulaId: the first line that is a draw of the game, 0 while there is none.
    std::array<int, std::tuple_size_v<decltype(Formula::all())>> m_firstDrawLine{};
    QString m_refusal;
};
