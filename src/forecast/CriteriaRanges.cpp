#include "forecast/CriteriaRanges.h"

#include <algorithm>

void ScrollBarState::setMinimum(int v)
{
    minimum = v;
    if (minimum <= maximum && value < minimum)
        setValue(minimum);
}

void ScrollBarState::setMaximum(int v)
{
    maximum = v;
    if (minimum <= maximum && value > maximum)
        setValue(maximum);
}

bool ScrollBarState::setValue(int v)
{
    if (minimum <= maximum)
        v = std::clamp(v, minimum, maximum);
    if (v == value)
        return false;
    value = v;
    label = QString::number(v);
    return true;
}

CriteriaRanges::CriteriaRanges()
{
    struct Init {
        int min, max, pos;
        const char* label;
    };
    static constexpr Init init[12] = {
        {0, 0, 0, ""},   {0, 42, 14, "14"}, {14, 280, 28, "28"}, {0, 3200, 3000, "3000"}, {0, 100, 0, "0"},  {0, 100, 100, "100"},
        {0, 42, 0, "0"}, {0, 42, 14, "14"}, {0, 280, 14, "0"},   {0, 280, 28, "28"},      {0, 3270, 0, "0"}, {0, 3270, 0, "3000"},
    };
    for (size_t i = 0; i < bars.size(); ++i) {
        bars[i].minimum = init[i].min;
        bars[i].maximum = init[i].max;
        bars[i].value = init[i].pos;
        bars[i].label = QString::fromLatin1(init[i].label);
    }
}
