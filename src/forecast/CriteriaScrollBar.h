// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class ForecastCriteria;

// One scroll bar of the criteria window with its value label. The fields are for reading:
// positions and bounds change through the setters, which raise the bar's change event (label
// update and coupling rule) in the criteria that own the bar.
struct CriteriaScrollBar {
    int minimum = 0;
    int maximum = 0;
    int value = 0;
    int smallStep = 1;
    int pageStep = 1;
    // Shows the position only once the position has changed (or a file load set it).
    QString label;

    CriteriaScrollBar() = default;
    // A copy is a free-standing bar; assigning to a bar of the criteria keeps it in them.
    CriteriaScrollBar(const CriteriaScrollBar& other);
    CriteriaScrollBar& operator=(const CriteriaScrollBar& other);

    // A minimum above the maximum reverses the bar: the position then lies between the two.
    // A position pushed outside the new range moves to the nearer bound, which is a change.
    void setMinimum(int v);
    void setMaximum(int v);
    // A position outside the range moves to the nearer bound. Returns true when it changed.
    bool setValue(int v);

    int low() const { return minimum < maximum ? minimum : maximum; }
    int high() const { return minimum < maximum ? maximum : minimum; }

private:
    friend class ForecastCriteria;
    int clamped(int v) const;
    ForecastCriteria* m_owner = nullptr;
    int m_index = 0;
};
