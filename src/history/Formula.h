// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDate>
#include <QString>
#include <QStringList>
#include <QStringView>
#include <array>
#include <optional>
#include <vector>

// The two games the operator has run under the one name. Everything that depends on the game
// (how many numbers, how many drawn, the drawSlots, the grid, the groups, the pay table, the files)
// is read from its Formula; no other code keeps these figures.
enum class FormulaId {
    Keno20of70, // twenty drawn out of seventy, midday and evening, 16/09/1993 to 02/11/2025
    Keno16of56, // sixteen drawn out of fifty-six, evening only, since 03/11/2025
};

// A group of consecutive numbers, first and last included ("1-10", "29-56").
struct NumberRange {
    int first = 0;
    int last = 0;
    int size() const { return last - first + 1; }
    bool contains(int n) const { return n >= first && n <= last; }
};

// What one ticked set of k numbers pays for a 1 € stake when m of them are drawn, for k in
// [minTicked, maxTicked] and m in 0..k. An amount the operator has not published is unknown
// (nullopt), never 0, so a report can say so.
struct PayTable {
    static constexpr int kMaxTicked = 10;
    std::array<std::array<std::optional<qint64>, kMaxTicked + 1>, kMaxTicked + 1> amounts{};

    std::optional<qint64> amount(int ticked, int matched) const;
    // True when every amount of the row of `ticked` numbers is known.
    bool rowKnown(int ticked) const;
};

// A draw time of the game: its word at the end of a history line and its clock time.
struct DrawSlot {
    QString word; // "midi", "soir"
    int hour = 0;
    int minute = 0;
};

struct Formula {
    // The largest figures of any game: arrays indexed by number are sized kMaxNumber + 1.
    static constexpr int kMaxNumber = 70;
    static constexpr int kMaxDrawn = 20;

    FormulaId id = FormulaId::Keno20of70;
    QString key; // "20-70", the command line's --jeu value
    QString name; // "Keno 20 sur 70 (1993–2025)", as the Jeu menu and the title say
    QString shortName; // "Keno 20/70"
    int numbers = 0; // the highest number; numbers run 1..numbers
    int drawn = 0; // numbers drawn at each draw
    int minTicked = 0; // a player ticks minTicked..maxTicked numbers
    int maxTicked = 0;
    std::vector<DrawSlot> drawSlots; // in the day's order
    QDate firstDay; // first draw
    QDate lastDay; // last draw (invalid while the game runs)
    int gridColumns = 0; // boxes a row of the grid; rows = numbers / gridColumns
    QString workingFile; // the working history in the data folder
    QString baseFile; // the base history it is rebuilt from
    QString multiplierFile; // beside the working history: the multiplier of each draw
    QString archiveUrlKey; // the settings key of the archive's address
    QString defaultArchiveUrl;
    PayTable payTable;

    int slotCount() const { return static_cast<int>(drawSlots.size()); }
    int gridRows() const { return numbers / gridColumns; }
    // The length of a draw line: the date, `drawn` fields " NN", a blank and the slot word.
    int lineLength() const { return 10 + 3 * drawn + 5; }
    // Numbers 1..numbers in runs of `size` (the last run may be shorter): tens, sevens, grid rows.
    std::vector<NumberRange> runs(int size) const;
    // The low half and the high half ("Petits / Gros Numéros").
    NumberRange lowHalf() const { return {1, numbers / 2}; }
    NumberRange highHalf() const { return {numbers / 2 + 1, numbers}; }
    // Whether `day` falls in the dates this game ran.
    bool ranOn(const QDate& day) const;
    // Index in `drawSlots` of the slot word, -1 when the game has no such slot.
    int slotIndex(QStringView word) const;
    // "20 sur 70", "16 sur 56".
    QString shortLabel() const;

    static const Formula& get(FormulaId id);
    static const Formula& classic() { return get(FormulaId::Keno20of70); }
    static const Formula& current() { return get(FormulaId::Keno16of56); }
    // Both games, oldest first.
    static std::array<FormulaId, 2> all() { return {FormulaId::Keno20of70, FormulaId::Keno16of56}; }
    // The game whose key is `key` ("20-70", "16-56"); nullopt otherwise.
    static std::optional<FormulaId> fromKey(QStringView key);
    // The game a draw line belongs to, from its length; nullopt for a line of neither.
    static std::optional<FormulaId> ofLine(QStringView line);
    // The game that was played on `day` (the current one after the change).
    static FormulaId playedOn(const QDate& day);
};
