// SPDX-License-Identifier: GPL-3.0-or-later
#include "analyses/CombinationReference.h"

#include "analyses/DrawBits.h"

#include <vector>

namespace CombinationReference {

namespace {

// Positions 1..k into the chosen numbers, advanced one combination at a time.
class Walk {
public:
    Walk(const QList<int>& chosen, int r)
        : m_chosen(chosen), m_k(static_cast<int>(chosen.size())), m_r(r), m_p(static_cast<size_t>(r) + 1)
    {
        for (int i = 1; i <= r; ++i)
            m_p[static_cast<size_t>(i)] = i;
        m_p[static_cast<size_t>(r)] -= 1;
    }

    bool advance()
    {
        if (m_r < 1)
            return false;
        auto p = [this](int i) -> int& { return m_p[static_cast<size_t>(i)]; };
        p(m_r) += 1;
        int j = m_r;
        while (p(m_r) > m_k) {
            j -= 1;
            if (j == 0)
                return false;
            p(j) += 1;
            for (int i = j + 1; i <= m_r; ++i)
                p(i) = p(i - 1) + 1;
        }
        m_numbers.clear();
        for (int i = 1; i <= m_r; ++i)
            m_numbers << m_chosen[p(i) - 1];
        return true;
    }

    const QList<int>& numbers() const { return m_numbers; }

private:
    const QList<int>& m_chosen;
    int m_k, m_r;
    std::vector<int> m_p;
    QList<int> m_numbers;
};

} // namespace

CombinationWalk::Result mostFrequent(const DrawMatrix& matrix, const StudyPeriod& period, const QList<int>& chosen, int r)
{
    CombinationWalk::Result result;
    Walk walk(chosen, r);
    int best = 0;
    while (walk.advance()) {
        const QString text = CombinationWalk::text(walk.numbers());
        result.lastCombination = text;
        int c = 0;
        for (int d = period.last; d >= period.first; --d) {
            bool all = true;
            for (int n : walk.numbers())
                all = all && DrawBits::holds(matrix, n, d);
            if (all)
                ++c;
        }
        if (c >= best) {
            best = c;
            result.lines << CombinationWalk::mostFrequentLine(text, c);
        }
    }
    return result;
}

CombinationWalk::Result gapSearch(const DrawMatrix& matrix, int start, int lineCount, const QList<int>& chosen, int r, int s)
{
    CombinationWalk::Result result;
    Walk walk(chosen, r);
    int oldest = lineCount;
    while (walk.advance()) {
        const QString text = CombinationWalk::text(walk.numbers());
        result.lastCombination = text;
        for (int d = start; d >= 0; --d) {
            int m = 0;
            for (int n : walk.numbers())
                m += DrawBits::holds(matrix, n, d) ? 1 : 0;
            if (m >= s) {
                if (d < oldest) {
                    oldest = d;
                    result.lines << CombinationWalk::gapLine(text, m, start - d);
                    result.latestRecordDraw = d;
                }
                break;
            }
        }
    }
    return result;
}

} // namespace CombinationReference
