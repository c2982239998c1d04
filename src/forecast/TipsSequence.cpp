// SPDX-License-Identifier: GPL-3.0-or-later
#include "forecast/TipsSequence.h"

#include <QRandomGenerator>
#include <algorithm>

TipsSequence::TipsSequence(QStringList tips) : m_tips(std::move(tips))
{
    m_current = m_tips.isEmpty() ? 0 : 1;
}

void TipsSequence::startRandom(const QTime& now)
{
    if (m_tips.isEmpty())
        return;
    QRandomGenerator generator(static_cast<quint32>(std::max(0, now.msecsSinceStartOfDay() / 1000)));
    startAt(static_cast<int>(generator.bounded(static_cast<quint32>(count()))) + 1);
}

void TipsSequence::startAt(int index)
{
    m_current = m_tips.isEmpty() ? 0 : std::clamp(index, 1, count());
}

void TipsSequence::next()
{
    if (m_tips.isEmpty())
        return;
    ++m_current;
    if (m_current > count())
        m_current = 1;
}

QString TipsSequence::current() const
{
    return m_current >= 1 && m_current <= count() ? m_tips[m_current - 1] : QString();
}
