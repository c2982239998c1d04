// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStringList>
#include <QTime>

// The tip shown by the "Astuce" window: a random start, then "Conseil suivant" steps through the
// tips in file order and wraps from the last to the first.
class TipsSequence {
public:
    explicit TipsSequence(QStringList tips = {});

    // The first tip is picked at random, seeded from the seconds since midnight of `now`.
    void startRandom(const QTime& now);
    // Starts on tip `index` (1-based, clamped to the tips present).
    void startAt(int index);
    // "Conseil suivant".
    void next();

    int count() const { return static_cast<int>(m_tips.size()); }
    // 1..count(), 0 when there is no tip.
    int currentIndex() const { return m_current; }
    // The text shown; empty when there is no tip.
    QString current() const;

private:
    QStringList m_tips;
    int m_current = 0;
};
