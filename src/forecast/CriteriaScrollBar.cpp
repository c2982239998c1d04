// SPDX-License-Identifier: GPL-3.0-or-later
#include "forecast/CriteriaScrollBar.h"

#include "forecast/ForecastCriteria.h"

#include <algorithm>

CriteriaScrollBar::CriteriaScrollBar(const CriteriaScrollBar& other)
    : minimum(other.minimum), maximum(other.maximum), value(other.value), smallStep(other.smallStep), pageStep(other.pageStep),
      label(other.label)
{
}

CriteriaScrollBar& CriteriaScrollBar::operator=(const CriteriaScrollBar& other)
{
    minimum = other.minimum;
    maximum = other.maximum;
    value = other.value;
    smallStep = other.smallStep;
    pageStep = other.pageStep;
    label = other.label;
    return *this;
}

int CriteriaScrollBar::clamped(int v) const
{
    return std::clamp(v, low(), high());
}

void CriteriaScrollBar::setMinimum(int v)
{
    minimum = v;
    setValue(value); // a position left outside the new range moves to its nearer bound
}

void CriteriaScrollBar::setMaximum(int v)
{
    maximum = v;
    setValue(value);
}

bool CriteriaScrollBar::setValue(int v)
{
    v = clamped(v);
    if (v == value)
        return false;
    value = v;
    if (m_owner)
        m_owner->changed(m_index);
    else
        label = QString::number(v);
    return true;
}
