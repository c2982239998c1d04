#include "analyses/CombinationEngine.h"

#include "analyses/DrawBits.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <vector>

namespace CombinationEngine {

using CombinationWalk::Options;
using CombinationWalk::Result;
using Word = std::uint64_t;

namespace {

// The two loops everything rests on. Without a popcount instruction the compiler calls a
// library routine per word, so a copy built for the instruction is picked when the processor
// has it.
#define TIRAVOL_AND_KERNELS(suffix, attributes)                                                                                  \
    attributes int andInto##suffix(Word* dst, const Word* a, const Word* b, int n)                                               \
    {                                                                                                                            \
        std::uint64_t c = 0;                                                                                                     \
        for (int i = 0; i < n; ++i) {                                                                                            \
            dst[i] = a[i] & b[i];                                                                                                \
            c += static_cast<std::uint64_t>(std::popcount(dst[i]));                                                              \
        }                                                                                                                        \
        return static_cast<int>(c);                                                                                              \
    }                                                                                                                            \
    attributes int andCount##suffix(const Word* a, const Word* b, int n)                                                         \
    {                                                                                                                            \
        std::uint64_t c = 0;                                                                                                     \
        for (int i = 0; i < n; ++i)                                                                                              \
            c += static_cast<std::uint64_t>(std::popcount(a[i] & b[i]));                                                         \
        return static_cast<int>(c);                                                                                              \
    }

TIRAVOL_AND_KERNELS(Plain, )
#if defined(__GNUC__) && defined(__x86_64__)
TIRAVOL_AND_KERNELS(Popcnt, __attribute__((target("popcnt"))))
TIRAVOL_AND_KERNELS(Avx512, __attribute__((target("popcnt,avx512f,avx512vpopcntdq"))))
#endif
#undef TIRAVOL_AND_KERNELS

struct Kernels {
    int (*andInto)(Word*, const Word*, const Word*, int);
    int (*andCount)(const Word*, const Word*, int);
};

const Kernels& kernels()
{
    static const Kernels chosen = [] {
#if defined(__GNUC__) && defined(__x86_64__)
        __builtin_cpu_init();
        if (__builtin_cpu_supports("avx512vpopcntdq") && __builtin_cpu_supports("avx512f"))
            return Kernels{andIntoAvx512, andCountAvx512};
        if (__builtin_cpu_supports("popcnt"))
            return Kernels{andIntoPopcnt, andCountPopcnt};
#endif
        return Kernels{andIntoPlain, andCountPlain};
    }();
    return chosen;
}

// Positions into the chosen numbers, the stop flag and the progress reports of one walk.
class WalkBase {
protected:
    WalkBase(const QList<int>& chosen, int r, const Options& options)
        : m_chosen(chosen), m_k(static_cast<int>(chosen.size())), m_r(r), m_options(options),
          m_pos(static_cast<size_t>(std::max(r, 0))), m_total(CombinationWalk::combinationCount(m_k, r)),
          m_last(std::chrono::steady_clock::now())
    {
    }

    QString textOf(const std::vector<int>& pos) const
    {
        QList<int> numbers;
        numbers.reserve(static_cast<qsizetype>(pos.size()));
        for (int p : pos)
            numbers << m_chosen[p];
        return CombinationWalk::text(numbers);
    }
    QString currentText() const { return textOf(m_pos); }
    QString lastText() const
    {
        std::vector<int> pos(static_cast<size_t>(m_r));
        for (int i = 0; i < m_r; ++i)
            pos[static_cast<size_t>(i)] = m_k - m_r + i;
        return textOf(pos);
    }
    int& pos(int i) { return m_pos[static_cast<size_t>(i)]; }

    // Fills the positions after `depth` with the first combination below the current prefix.
    void settle(int depth)
    {
        for (int i = depth + 1; i < m_r; ++i)
            pos(i) = pos(i - 1) + 1;
    }

    // Called once per unit of work; true when the walk must stop.
    bool checkpoint(int depth)
    {
        if (m_options.cancel && m_options.cancel->load(std::memory_order_relaxed)) {
            settle(depth);
            m_result.stopped = true;
            return true;
        }
        if (m_options.onProgress && (++m_ticks & 15u) == 0) {
            const auto now = std::chrono::steady_clock::now();
            if (now - m_last >= m_options.interval) {
                m_last = now;
                settle(depth);
                CombinationWalk::Progress progress;
                progress.combination = currentText();
                progress.done = m_total > 0 ? rank() / m_total : 1.0;
                progress.lines = &m_result.lines;
                progress.latestRecordDraw = m_result.latestRecordDraw;
                m_options.onProgress(progress);
            }
        }
        return false;
    }

    // How many combinations come before the current one.
    double rank() const
    {
        double before = 0;
        int next = 0;
        for (int i = 0; i < m_r; ++i) {
            for (int v = next; v < m_pos[static_cast<size_t>(i)]; ++v)
                before += CombinationWalk::combinationCount(m_k - 1 - v, m_r - 1 - i);
            next = m_pos[static_cast<size_t>(i)] + 1;
        }
        return before;
    }

    void finish() { m_result.lastCombination = m_result.stopped ? currentText() : lastText(); }

    const QList<int>& m_chosen;
    const int m_k;
    const int m_r;
    const Options& m_options;
    std::vector<int> m_pos;
    Result m_result;

private:
    double m_total;
    std::chrono::steady_clock::time_point m_last;
    unsigned m_ticks = 0;
};

class MostFrequentWalk : public WalkBase {
public:
    MostFrequentWalk(const DrawMatrix& matrix, const StudyPeriod& period, const QList<int>& chosen, int r, const Options& options)
        : WalkBase(chosen, r, options), m_kernels(kernels())
    {
        const int first = std::max(period.first, 0);
        const int last = std::min(period.last, matrix.columns() - 1);
        m_draws = std::max(last - first + 1, 0);
        m_words = DrawBits::wordsFor(m_draws);
        m_rows.resize(static_cast<size_t>(m_k) * static_cast<size_t>(m_words));
        m_rowCount.resize(static_cast<size_t>(m_k));
        for (int q = 0; q < m_k; ++q) {
            const int n = chosen[q];
            Word* row = m_rows.data() + static_cast<size_t>(q) * static_cast<size_t>(m_words);
            if (m_draws > 0)
                DrawBits::extract(matrix, n >= 1 && n <= 70 ? n : -1, first, last, row);
            int c = 0;
            for (int w = 0; w < m_words; ++w)
                c += std::popcount(row[w]);
            m_rowCount[static_cast<size_t>(q)] = c;
            m_appearances += c;
        }
        m_stack.resize(static_cast<size_t>(std::max(r, 1)) * static_cast<size_t>(m_words));
        m_counter.assign(static_cast<size_t>(m_k), 0);
    }

    Result run()
    {
        if (m_r < 1 || m_r > m_k)
            return {};
        if (m_r == 1)
            leaves(nullptr, 0);
        else
            descend(0, 0, nullptr);
        finish();
        return std::move(m_result);
    }

private:
    const Word* row(int q) const { return m_rows.data() + static_cast<size_t>(q) * static_cast<size_t>(m_words); }

    void buildDrawLists()
    {
        // For every draw, the positions of the chosen numbers it holds, ascending.
        m_listLength.assign(static_cast<size_t>(m_draws), 0);
        for (int q = 0; q < m_k; ++q) {
            for (int w = 0; w < m_words; ++w) {
                for (Word bits = row(q)[w]; bits; bits &= bits - 1)
                    ++m_listLength[static_cast<size_t>(w * 64 + std::countr_zero(bits))];
            }
        }
        m_stride = 0;
        for (std::uint8_t len : m_listLength)
            m_stride = std::max(m_stride, static_cast<int>(len));
        m_lists.assign(static_cast<size_t>(m_draws) * static_cast<size_t>(m_stride), 0);
        std::fill(m_listLength.begin(), m_listLength.end(), std::uint8_t{0});
        for (int q = 0; q < m_k; ++q) {
            for (int w = 0; w < m_words; ++w) {
                for (Word bits = row(q)[w]; bits; bits &= bits - 1) {
                    const size_t d = static_cast<size_t>(w * 64 + std::countr_zero(bits));
                    m_lists[d * static_cast<size_t>(m_stride) + m_listLength[d]++] = static_cast<std::uint8_t>(q);
                }
            }
        }
        m_listsBuilt = true;
    }

    void descend(int depth, int from, const Word* parent)
    {
        for (int q = from; q <= m_k - m_r + depth; ++q) {
            pos(depth) = q;
            if (checkpoint(depth))
                return;
            const Word* current;
            int count;
            if (depth == 0) {
                current = row(q);
                count = m_rowCount[static_cast<size_t>(q)];
            } else {
                Word* slot = m_stack.data() + static_cast<size_t>(depth) * static_cast<size_t>(m_words);
                count = m_kernels.andInto(slot, parent, row(q), m_words);
                current = slot;
            }
            // Counts only fall as numbers are added: below the record, nothing under this
            // prefix can be listed, and skipping it leaves the record unchanged.
            if (count < m_best)
                continue;
            if (depth == m_r - 2)
                leaves(current, count);
            else if (depth == m_r - 3 && pairsCheaper(count, q))
                pairLeaves(current, q);
            else
                descend(depth + 1, q + 1, current);
            if (m_result.stopped)
                return;
        }
    }

    void record(int x, int count)
    {
        if (count >= m_best) {
            m_best = count;
            pos(m_r - 1) = x;
            m_result.lines << CombinationWalk::mostFrequentLine(currentText(), count);
        }
    }

    // The last number of every combination under the prefix, in ascending order.
    void leaves(const Word* prefix, int prefixCount)
    {
        const int after = m_r >= 2 ? pos(m_r - 2) : -1;
        const int candidates = m_k - 1 - after;
        if (candidates <= 0)
            return;
        if (m_r == 1) {
            for (int x = 0; x < m_k; ++x)
                record(x, m_rowCount[static_cast<size_t>(x)]);
            return;
        }
        // Few draws hold the prefix: count every candidate at once from those draws' lists
        // instead of intersecting each candidate's whole bitset.
        const double perDraw = m_draws > 0 ? static_cast<double>(m_appearances) / m_draws : 0.0;
        const double sparseCost = m_words + 2.0 * prefixCount * perDraw * candidates / std::max(m_k, 1);
        const double denseCost = static_cast<double>(candidates) * m_words;
        if (sparseCost < denseCost) {
            if (!m_listsBuilt)
                buildDrawLists();
            for (int w = 0; w < m_words; ++w) {
                for (Word bits = prefix[w]; bits; bits &= bits - 1) {
                    const size_t d = static_cast<size_t>(w * 64 + std::countr_zero(bits));
                    const std::uint8_t* list = m_lists.data() + d * static_cast<size_t>(m_stride);
                    for (int i = m_listLength[d] - 1; i >= 0 && list[i] > after; --i)
                        ++m_counter[list[i]];
                }
            }
            for (int x = after + 1; x < m_k; ++x) {
                const int c = m_counter[static_cast<size_t>(x)];
                m_counter[static_cast<size_t>(x)] = 0;
                record(x, c);
            }
        } else {
            for (int x = after + 1; x < m_k; ++x)
                record(x, m_kernels.andCount(prefix, row(x), m_words));
        }
    }

    // Under a prefix held by few draws, the last two numbers of every combination are counted
    // at once: each draw adds one to every pair of its numbers placed after the prefix. The
    // single counts are the intersections the walk would compute one level down.
    bool pairsCheaper(int prefixCount, int after) const
    {
        const double perDraw = m_draws > 0 ? static_cast<double>(m_appearances) / m_draws : 0.0;
        const double higher = perDraw * (m_k - 1 - after) / std::max(m_k, 1);
        // Scattered increments cost more than streamed words.
        const double pairCost = 1.5 * (m_words + prefixCount * (1.0 + higher + higher * higher / 2.0));
        // One level down: an intersection per next number, then its last numbers.
        const double childCount = prefixCount * perDraw / std::max(m_k, 1);
        double stepCost = 0;
        for (int a = after + 1; a <= m_k - 2 && stepCost < pairCost; ++a) {
            const int rest = m_k - 1 - a;
            const double dense = static_cast<double>(rest) * m_words;
            const double sparse = m_words + 2.0 * childCount * perDraw * rest / std::max(m_k, 1);
            stepCost += m_words + std::min(dense, sparse);
        }
        return pairCost < stepCost;
    }

    void pairLeaves(const Word* prefix, int after)
    {
        if (!m_listsBuilt)
            buildDrawLists();
        if (m_pairs.empty())
            m_pairs.assign(static_cast<size_t>(m_k) * static_cast<size_t>(m_k), 0);
        const size_t k = static_cast<size_t>(m_k);
        for (int w = 0; w < m_words; ++w) {
            for (Word bits = prefix[w]; bits; bits &= bits - 1) {
                const size_t d = static_cast<size_t>(w * 64 + std::countr_zero(bits));
                const std::uint8_t* list = m_lists.data() + d * static_cast<size_t>(m_stride);
                const int length = m_listLength[d];
                int from = length;
                while (from > 0 && list[from - 1] > after)
                    --from;
                for (int i = from; i < length; ++i) {
                    ++m_counter[list[i]];
                    int* row = m_pairs.data() + list[i] * k;
                    for (int j = i + 1; j < length; ++j)
                        ++row[list[j]];
                }
            }
        }
        for (int a = after + 1; a <= m_k - 2 && !m_result.stopped; ++a) {
            pos(m_r - 2) = a;
            if (checkpoint(m_r - 2))
                break;
            if (m_counter[static_cast<size_t>(a)] < m_best)
                continue;
            const int* row = m_pairs.data() + static_cast<size_t>(a) * k;
            for (int b = a + 1; b < m_k; ++b)
                record(b, row[b]);
        }
        for (int a = after + 1; a < m_k; ++a) {
            m_counter[static_cast<size_t>(a)] = 0;
            std::fill_n(m_pairs.data() + static_cast<size_t>(a) * k + static_cast<size_t>(a) + 1, m_k - a - 1, 0);
        }
    }

    const Kernels& m_kernels;
    std::vector<int> m_pairs;
    int m_draws = 0;
    int m_words = 0;
    std::vector<Word> m_rows;
    std::vector<int> m_rowCount;
    long long m_appearances = 0;
    std::vector<Word> m_stack;
    std::vector<int> m_counter;
    std::vector<std::uint8_t> m_lists;
    std::vector<std::uint8_t> m_listLength;
    int m_stride = 0;
    bool m_listsBuilt = false;
    int m_best = 0;
};

class GapSearchWalk : public WalkBase {
public:
    GapSearchWalk(const DrawMatrix& matrix, int start, int lineCount, const QList<int>& chosen, int r, int s,
                  const Options& options)
        : WalkBase(chosen, r, options), m_matrix(matrix), m_start(start), m_oldest(lineCount), m_s(s)
    {
        if (start < 0)
            return;
        m_words = start / 64 + 1;
        m_topMask = start % 64 == 63 ? ~Word{0} : (Word{1} << (start % 64 + 1)) - 1;
        m_rows.resize(static_cast<size_t>(m_k) * static_cast<size_t>(m_words));
        for (int q = 0; q < m_k; ++q) {
            const int n = chosen[q];
            DrawBits::extract(matrix, n >= 1 && n <= 70 ? n : -1, 0, start, m_rows.data() + static_cast<size_t>(q) * m_words);
        }
        m_slices = std::bit_width(static_cast<unsigned>(std::max(r, 1)));
        m_allOf = s == r;
        m_cache.resize(static_cast<size_t>(m_words) * static_cast<size_t>(m_allOf ? 1 : m_slices));
    }

    Result run()
    {
        if (m_r < 1 || m_r > m_k)
            return {};
        if (m_start >= 0 && m_s <= m_r) {
            if (m_s <= 0)
                everyDrawQualifies();
            else if (m_r == 1)
                leaves(-1);
            else
                descend(0, 0);
        }
        finish();
        return std::move(m_result);
    }

private:
    const Word* row(int q) const { return m_rows.data() + static_cast<size_t>(q) * static_cast<size_t>(m_words); }

    void listIfOlder(int d)
    {
        if (d >= m_oldest)
            return;
        m_oldest = d;
        int present = 0;
        for (int i = 0; i < m_r; ++i)
            present += m_matrix.contains(m_chosen[pos(i)], d) ? 1 : 0;
        m_result.lines << CombinationWalk::gapLine(currentText(), present, m_start - d);
        m_result.latestRecordDraw = d;
    }

    // With s <= 0 the newest draw qualifies for every combination: only the first is listed.
    void everyDrawQualifies()
    {
        for (int i = 0; i < m_r; ++i)
            pos(i) = i;
        listIfOlder(m_start);
    }

    void descend(int depth, int from)
    {
        for (int q = from; q <= m_k - m_r + depth; ++q) {
            pos(depth) = q;
            if (depth == m_r - 2) {
                m_cacheFrom = m_words; // a new prefix: nothing of it computed yet
                leaves(q);
            } else {
                descend(depth + 1, q + 1);
            }
            if (m_result.stopped)
                return;
        }
    }

    // Computes the prefix's words down to word w (at least a few at a time), newest first.
    void extendCache(int w)
    {
        const int lo = std::max(0, std::min(w, m_cacheFrom - 8));
        const int prefixSize = m_r - 1;
        if (m_allOf) {
            for (int i = lo; i < m_cacheFrom; ++i) {
                Word v = ~Word{0};
                for (int j = 0; j < prefixSize; ++j)
                    v &= row(pos(j))[i];
                m_cache[static_cast<size_t>(i)] = v;
            }
        } else {
            for (int i = lo; i < m_cacheFrom; ++i) {
                Word* c = m_cache.data() + static_cast<size_t>(i) * static_cast<size_t>(m_slices);
                std::fill(c, c + m_slices, Word{0});
                for (int j = 0; j < prefixSize; ++j)
                    addTo(c, row(pos(j))[i]);
            }
        }
        m_cacheFrom = lo;
    }

    // Adds one bit per draw to a bit-sliced counter (slice 0 holds the units).
    void addTo(Word* c, Word carry) const
    {
        for (int b = 0; b < m_slices && carry; ++b) {
            const Word next = c[b] & carry;
            c[b] ^= carry;
            carry = next;
        }
    }

    // The draws whose counter is at least s.
    Word atLeast(const Word* c) const
    {
        Word greater = 0, equal = ~Word{0};
        for (int b = m_slices - 1; b >= 0; --b) {
            if ((m_s >> b) & 1) {
                equal &= c[b];
            } else {
                greater |= equal & c[b];
                equal &= ~c[b];
            }
        }
        return greater | equal;
    }

    void leaves(int after)
    {
        if (m_r == 1)
            m_cacheFrom = m_words;
        for (int x = after + 1; x < m_k; ++x) {
            pos(m_r - 1) = x;
            if (checkpoint(m_r - 1))
                return;
            const Word* last = row(x);
            for (int w = m_words - 1; w >= 0; --w) {
                if (w < m_cacheFrom)
                    extendCache(w);
                Word hits;
                if (m_allOf) {
                    hits = m_cache[static_cast<size_t>(w)] & last[w];
                } else {
                    Word c[8];
                    std::copy_n(m_cache.data() + static_cast<size_t>(w) * static_cast<size_t>(m_slices), m_slices, c);
                    addTo(c, last[w]);
                    hits = atLeast(c);
                }
                if (w == m_words - 1)
                    hits &= m_topMask;
                // The newest qualifying draw ends the scan; it is listed only when older
                // than the record.
                if (hits) {
                    listIfOlder(w * 64 + 63 - std::countl_zero(hits));
                    break;
                }
            }
        }
    }

    const DrawMatrix& m_matrix;
    const int m_start;
    int m_oldest;
    const int m_s;
    int m_words = 0;
    Word m_topMask = 0;
    std::vector<Word> m_rows;
    int m_slices = 1;
    bool m_allOf = false;
    std::vector<Word> m_cache;
    int m_cacheFrom = 0;
};

} // namespace

Result mostFrequent(const DrawMatrix& matrix, const StudyPeriod& period, const QList<int>& chosen, int r, const Options& options)
{
    return MostFrequentWalk(matrix, period, chosen, r, options).run();
}

Result gapSearch(const DrawMatrix& matrix, int start, int lineCount, const QList<int>& chosen, int r, int s,
                 const Options& options)
{
    return GapSearchWalk(matrix, start, lineCount, chosen, r, s, options).run();
}

} // namespace CombinationEngine
