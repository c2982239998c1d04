// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/Study.h"

#include "history/DrawMatrix.h"

#include <algorithm>

void Study::wholeList(int itemCount)
{
    m_statsValid = false;
    m_period.first = 0;
    m_period.last = itemCount - 2;
}

void Study::followClick(int index, int length)
{
    m_statsValid = false;
    m_period.last = index - 1;
    m_period.first = std::max(0, m_period.last - length + 1);
}

void Study::endAt(int last)
{
    m_period.last = last;
}

void Study::count(const DrawMatrix& matrix)
{
    m_stats = computeStats(matrix, m_period);
    m_statsValid = true;
}

void Study::take(const StudyPeriod& period, const NumberStats& stats)
{
    m_period = period;
    m_stats = stats;
    m_statsValid = true;
}
