#pragma once

#include <QString>
#include <array>

// One scroll bar of the forecast criteria window with its value label.
struct ScrollBarState {
    int minimum = 0;
    int maximum = 0;
    int value = 0;
    QString label; // shows the position only once it has changed

    void setMinimum(int v);
    void setMaximum(int v);
    // Returns true when the position changed (the label then shows it).
    bool setValue(int v);
};

// The eleven criteria scroll bars HScroll1..HScroll11 (index 0 unused), with their
// design-time ranges, positions and label texts.
struct CriteriaRanges {
    std::array<ScrollBarState, 12> bars;
    CriteriaRanges();
    ScrollBarState& operator[](int i) { return bars[static_cast<size_t>(i)]; }
    const ScrollBarState& operator[](int i) const { return bars[static_cast<size_t>(i)]; }
};
