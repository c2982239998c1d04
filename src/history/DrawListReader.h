// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "history/DrawList.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QStringList>
#include <vector>

// Reads the bytes of a history file into a DrawList, in pieces of any size, without building a
// text per line. Reading rules: lines end at LF (a CR before it is dropped), a leading UTF-8
// byte-order mark is dropped, every ';' becomes a space, lines are kept whole, lines that are
// not well-formed draws are kept as read, and blank lines are dropped. The file is UTF-8 when
// all of it is valid UTF-8, Windows-1252 otherwise (ASCII reads the same either way).
class DrawListReader {
public:
    static constexpr int kProblemsShown = 5;

    // Room for about this many draws (a file's size / 77 is a good guess).
    void reserve(int draws) { m_list.reserve(draws); }
    void feed(QByteArrayView bytes);
    // Ends the reading: the list, with badLines() and problems() describing what was odd.
    DrawList finish();

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
    // exist, a number outside 1..70, a number twice.
    static bool recordIsDraw(const DrawList::Item& item);

    DrawList m_list;
    QByteArray m_partial; // an unfinished line between two pieces
    bool m_started = false;
    bool m_utf8 = true;
    int m_lineNo = 0;
    std::vector<OddLine> m_odd;
    int m_badLines = 0;
    QStringList m_problems;
};
