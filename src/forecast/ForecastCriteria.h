// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "forecast/CriteriaScrollBar.h"
#include "forecast/CriterionBar.h"
#include "stats/NumberStats.h"

#include <QString>
#include <QStringList>
#include <array>

// The criteria of the forecast selection: the eleven scroll bars HScroll1..HScroll11 of the
// criteria window (index 0 unused), as models. A position change updates the bar's label and
// runs its coupling rule; a position set by a rule raises the other bar's rule in turn, nested,
// exactly as the window's change events cascade.
//
// The window itself only mirrors this model: "Utiliser" hides it and changes nothing here;
// closing it by its title bar means the next use starts from a fresh ForecastCriteria; opening
// it from the menu calls chargeConf(). The selection reads the label texts.
class ForecastCriteria {
public:
    // Design-time ranges, page steps, positions and label texts.
    ForecastCriteria();
    ForecastCriteria(const ForecastCriteria& other);
    ForecastCriteria& operator=(const ForecastCriteria& other);

    CriteriaScrollBar& operator[](int i) { return m_bars[static_cast<size_t>(i)]; }
    const CriteriaScrollBar& operator[](int i) const { return m_bars[static_cast<size_t>(i)]; }
    CriteriaScrollBar& operator[](CriterionBar b) { return (*this)[barIndex(b)]; }
    const CriteriaScrollBar& operator[](CriterionBar b) const { return (*this)[barIndex(b)]; }

    void setMinimum(CriterionBar b, int v) { (*this)[b].setMinimum(v); }
    void setMaximum(CriterionBar b, int v) { (*this)[b].setMaximum(v); }
    bool setValue(CriterionBar b, int v) { return (*this)[b].setValue(v); }
    const QString& label(CriterionBar b) const { return (*this)[b].label; }

    // --- Ranges set by other commands; the caller runs them where its command says. ---

    // After a history load (the statistics just computed over the whole list):
    // HScroll3 to the draw count, HScroll10/11 to the appearance counts, HScroll4/5 maxima
    // to the largest current gap and the largest largest-gap, over the numbers of `formula`.
    void updateAfterLoad(int itemCount, const NumberStats& stats, const Formula& formula = Formula::classic());
    // After the ranking by appearances: HScroll11 maximum := the largest appearance count.
    void updateAfterSorties(const NumberStats& stats, const Formula& formula = Formula::classic());
    // After the ranking by largest gaps: HScroll5 maximum and position := the largest largest-gap.
    void updateAfterEcartsMax(const NumberStats& stats, const Formula& formula = Formula::classic());
    // After a click on the draw list: HScroll3 maximum := item count, position := selected index.
    void updateAfterListClick(int itemCount, int selectedIndex);
    // After a validated manual entry (itemCount read after the new empty item was appended):
    // HScroll3 maximum := itemCount + 1, position := itemCount; HScroll11 maximum grows by 1.
    void updateAfterEntry(int itemCount);

    // --- The criteria file (11 lines, CR LF). ---

    // "tiravol.cfg" in the "Varn" folder of the per-user configuration folder.
    static QString filePath(const QString& appDataFolder);

    // The file content "Sauver" writes: lines 1-9 "minimum,maximum,position", lines 10-11
    // "minimum,maximum".
    QByteArray fileContent() const;
    // "Sauver": writes the file atomically; false with a French reason when it failed (the old
    // file is then untouched).
    bool save(const QString& path, QString* error) const;

    // "Reset configuration" and the opening from the menu: lines 1-9 set minimum, maximum and
    // position of their bar in that order (each change running the rules), then the labels of
    // HScroll6..9 show the line's position. With no file, or for a line that is missing or not
    // three whole numbers, the criteria stay as they stand; a minimum, maximum or position outside
    // the bar's own limits (its design-time range, widened for the draws and gaps bars to the
    // range the history gave them) moves to the nearer limit, and the position stays within the
    // line's range. Returns an empty text when the file was sound or absent, else one French line
    // naming every line at fault. Lines 10 and 11 are not read.
    QString chargeConf(const QString& path);
    // The same over a file's bytes; `exists` false stands for a missing file.
    QString chargeConfFrom(const QByteArray& bytes, bool exists = true);

    // The design-time minimum, maximum, page step, position and label text of bar i (1..11).
    struct DesignTime {
        int minimum, maximum, pageStep, position;
        const char16_t* label;
    };
    static const DesignTime& designTime(int i);

private:
    friend struct CriteriaScrollBar;
    void rebind();
    // The change event of bar i: label, then the coupling rule.
    void changed(int i);
    int positionOf(CriterionBar b) const { return (*this)[b].value; }

    std::array<CriteriaScrollBar, kCriterionBarCount + 1> m_bars;
    int m_depth = 0;
};
