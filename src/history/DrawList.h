// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "history/DrawLine.h"
#include "history/Formula.h"

#include <QByteArray>
#include <QDate>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <optional>
#include <vector>

class DrawListReader;

// The draw list: the lines of a history, oldest first, then the trailing empty item.
//
// The trailing empty item is implicit: a list of N draws always shows N + 1 items and item N
// reads as an empty text; nothing can be stored there. A line in the exact draw shape of either
// game (date digits, one two-digit field per number drawn, " midi" or " soir", the game's line
// length) is held as a 32-byte record and its text is produced when asked, character for
// character as it was read. Any other line is held aside as text, byte for byte as read, so it is
// shown and saved back unchanged.
class DrawList {
public:
    // How a line held as text came in; it decides how it is decoded and written back.
    enum class TextSource : std::uint8_t {
        Program, // given as a QString: saved in the system's code page
        Utf8File, // read from a UTF-8 (or ASCII) file: saved as the same bytes
        Windows1252File, // read from a Windows-1252 file: saved as the same bytes
    };

    DrawList() = default;

    // Draw lines only: the trailing empty item of `lines`, if any, is not a draw. The list's game is
    // the game of its first well-formed draw (the classic one when there is none).
    static DrawList fromLines(const QStringList& lines);
    // The game whose well-formed draw `line` is; nullopt for a line that is no draw.
    static std::optional<FormulaId> drawFormula(QStringView line);

    int drawCount() const { return static_cast<int>(m_items.size()); }
    // Draws plus the trailing empty item.
    int itemCount() const { return drawCount() + 1; }
    bool isEmpty() const { return m_items.empty(); }

    // The text of item i as the list shows it; empty for the trailing item and out of range.
    QString text(int i) const;
    // The first 10 characters of item i (its date text).
    QString dateText(int i) const;
    // The date of item i read as day/month/year (invalid when it is not one).
    QDate date(int i) const;
    // Field k (1..drawn) of item i, read as DrawLine::number reads it.
    int number(int i, int k) const;
    // The numbers of item i: as many as its record holds, or as the list's game draws for a text.
    DrawLine::Numbers numbers(int i) const;
    // The slot tests of DrawLine on item i.
    bool endsWithSoir(int i) const;
    bool endsWithSpaceMidi(int i) const;
    bool isMiddayByChar(int i) const;
    // Index of item i's slot in the list's game's drawSlots, as DrawLine::slotIndex reads it.
    int slotIndex(int i) const;
    // Whether item i is held as a record (a line in the exact draw shape).
    bool isRecord(int i) const;

    // Adds a draw line after the newest one.
    void append(const QString& line);
    // Adds item i of `other` without going through its text.
    void append(const DrawList& other, int i);
    // Replaces draw i (0 <= i < drawCount()); anything else is ignored.
    void replace(int i, const QString& line);
    // Removes the newest draw and returns its text (empty when there is none).
    QString takeLast();
    void clear();
    void reserve(int draws);

    // The draw lines as texts (no trailing empty item).
    QStringList toStringList() const;
    // The draws, each followed by CR LF: the content of a history file. Empty lines are left out.
    QByteArray toCrlfBytes() const;

    // The game whose draws the list holds (the classic one unless said otherwise).
    FormulaId formulaId() const { return m_formula; }
    const Formula& formula() const { return Formula::get(m_formula); }
    void setFormula(FormulaId id) { m_formula = id; }

    // Same items with the same texts.
    bool operator==(const DrawList& other) const;

private:
    friend class DrawListReader;

    enum Kind : std::uint8_t { Midi, Soir, Text };
    struct Item {
        std::uint32_t textIndex = 0; // into m_texts when kind is Text
        std::uint16_t year = 0;
        std::uint8_t day = 0, month = 0;
        std::uint8_t numbers[DrawLine::kNumbers] = {}; // two digits each, 0..99
        std::uint8_t drawn = 0; // fields of the line: the game's number drawn
        Kind kind = Text;
    };
    struct TextItem {
        QByteArray bytes; // UTF-8 for Program and Utf8File, Windows-1252 bytes otherwise
        TextSource source = TextSource::Program;
    };

    // Reads the exact draw shape from the bytes of a line; false when they are not in it.
    static bool parseRecord(const char* line, qsizetype size, Item& item);
    static void writeRecord(const Item& item, char* out);
    static int recordLength(const Item& item) { return 10 + 3 * item.drawn + 5; }
    QString itemText(const Item& item) const;
    Item makeItem(const QString& line);
    void appendText(QByteArray bytes, TextSource source);

    std::vector<Item> m_items;
    std::vector<TextItem> m_texts;
    FormulaId m_formula = FormulaId::Keno20of70;
};
