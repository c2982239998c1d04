#include "analyses/CombinationEngine.h"

#include "analyses/DrawBits.h"

#include <algorithm>
#include <atomic>
#include <bit>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <limits>
#include <memory>
#include <mutex>
#include <thread>
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

// C(n, m) for n up to k and m up to r, saturated (only counts of shares and ranks use them).
class Binomials {
public:
    Binomials(int k, int r)
        : m_cols(std::max(r, 0) + 1), m_table(static_cast<size_t>(std::max(k, 0) + 1) * static_cast<size_t>(m_cols), 0)
    {
        constexpr qint64 kMax = std::numeric_limits<qint64>::max();
        for (int n = 0; n <= std::max(k, 0); ++n) {
            at(n, 0) = 1;
            for (int m = 1; m < m_cols && m <= n; ++m) {
                const qint64 a = at(n - 1, m - 1), b = at(n - 1, m);
                at(n, m) = a > kMax - b ? kMax : a + b;
            }
        }
    }
    qint64 operator()(int n, int m) const
    {
        if (n < 0 || m < 0 || m >= m_cols || m > n || static_cast<size_t>(n) * static_cast<size_t>(m_cols) >= m_table.size())
            return 0;
        return m_table[static_cast<size_t>(n) * static_cast<size_t>(m_cols) + static_cast<size_t>(m)];
    }

private:
    qint64& at(int n, int m) { return m_table[static_cast<size_t>(n) * static_cast<size_t>(m_cols) + static_cast<size_t>(m)]; }
    int m_cols;
    std::vector<qint64> m_table;
};

// A line a chunk's walk would write, with what decides whether it is a record: the count
// ("Plus sortis") or the draw index (gap search).
struct Candidate {
    QString line;
    int key;
};

// The combinations sharing their first positions (`prefix`): a run of consecutive ranks
// [first, end) of the walk, handed to one thread.
struct Chunk {
    std::vector<int> prefix;
    qint64 first = 0;
    qint64 end = 0;
    std::atomic<qint64> next{0}; // rank of the first combination not examined yet
    std::atomic<int> key{0}; // the chunk's own record so far
    std::atomic<bool> done{false};
    std::mutex mutex; // guards `lines` while the chunk is walked
    std::vector<Candidate> lines; // in walk order
};

// The record rule of a walk. Each chunk is walked from a record taken from the chunks before
// it (never better than the true record at its start), so it writes every line the one-thread
// walk writes there, and maybe a few more; applying the rule again to the chunks' lines in
// order keeps exactly the one-thread walk's lines.
struct RecordRule {
    bool higher; // "Plus sortis": a count at least the best; gap search: a draw strictly older
    int initial;
    bool isRecord(int key, int record) const { return higher ? key >= record : key < record; }
    int tighter(int a, int b) const { return higher ? std::max(a, b) : std::min(a, b); }
};

// The walk cut into chunks, shared by the threads that walk it.
class Plan {
public:
    Plan(const QList<int>& chosen, int r, RecordRule rule, const Options& options)
        : chosen(chosen), k(static_cast<int>(chosen.size())), r(r), rule(rule), options(options), m_binomials(k, r),
          total(m_binomials(k, r))
    {
        threads = options.threads > 0 ? options.threads : static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
        depth = 0;
        // Chunks of at most an eighth of a thread's share (the first, largest, come first), their
        // prefixes short enough to leave the last two positions to the fast leaf counts.
        if (threads > 1) {
            for (int l = 1; l <= r - 2; ++l) {
                depth = l;
                if (m_binomials(k - l, r - l) <= total / (8 * threads))
                    break;
            }
        }
        std::vector<int> prefix;
        addChunks(prefix, 0);
        threads = std::clamp(threads, 1, static_cast<int>(std::min<size_t>(chunks.size(), 256)));
    }

    bool cancelled() const { return options.cancel && options.cancel->load(std::memory_order_relaxed); }

    // How many combinations come before the one at these positions.
    qint64 rank(const std::vector<int>& pos) const
    {
        qint64 before = 0;
        int next = 0;
        for (int i = 0; i < r; ++i) {
            for (int v = next; v < pos[static_cast<size_t>(i)]; ++v)
                before += m_binomials(k - 1 - v, r - 1 - i);
            next = pos[static_cast<size_t>(i)] + 1;
        }
        return before;
    }

    std::vector<int> unrank(qint64 rank) const
    {
        std::vector<int> pos(static_cast<size_t>(r));
        int v = 0;
        for (int i = 0; i < r; ++i) {
            for (qint64 c; rank >= (c = m_binomials(k - 1 - v, r - 1 - i)) && v < k; ++v)
                rank -= c;
            pos[static_cast<size_t>(i)] = v++;
        }
        return pos;
    }

    QString textOf(const std::vector<int>& pos) const
    {
        QList<int> numbers;
        numbers.reserve(static_cast<qsizetype>(pos.size()));
        for (int p : pos)
            numbers << chosen[p];
        return CombinationWalk::text(numbers);
    }

    // The best record the chunks before `index` have found so far.
    int recordBefore(size_t index) const
    {
        int record = rule.initial;
        for (size_t j = 0; j < index; ++j)
            record = rule.tighter(record, chunks[j].key.load(std::memory_order_relaxed));
        return record;
    }

    const QList<int>& chosen;
    const int k;
    const int r;
    const RecordRule rule;
    const Options& options;

private:
    Binomials m_binomials;

public:
    const qint64 total;
    int threads = 1;
    int depth = 0; // positions fixed by a chunk; 0: one chunk, the whole walk
    std::deque<Chunk> chunks;
    std::atomic<size_t> taken{0};

private:
    void addChunks(std::vector<int>& prefix, int from)
    {
        const int i = static_cast<int>(prefix.size());
        if (i == depth) {
            Chunk& c = chunks.emplace_back();
            c.prefix = prefix;
            std::vector<int> pos = prefix;
            for (int j = i; j < r; ++j)
                pos.push_back(j == 0 ? 0 : pos.back() + 1);
            c.first = rank(pos);
            c.end = c.first + m_binomials(k - (i == 0 ? 0 : prefix.back() + 1), r - i);
            c.next.store(c.first);
            c.key.store(rule.initial);
            return;
        }
        for (int q = from; q <= k - r + i; ++q) {
            prefix.push_back(q);
            addChunks(prefix, q + 1);
            prefix.pop_back();
        }
    }
};

// One thread's walk through the chunks it is handed: its positions, its record, its ticks.
class WalkBase {
public:
    bool stopped() const { return m_stopped; }

protected:
    explicit WalkBase(Plan& plan)
        : m_plan(plan), m_chosen(plan.chosen), m_k(plan.k), m_r(plan.r), m_pos(static_cast<size_t>(std::max(plan.r, 0)))
    {
    }

    // Fixes the chunk's first positions; returns how many there are.
    int enter(Chunk& chunk, size_t index)
    {
        m_chunk = &chunk;
        m_index = index;
        m_record = m_plan.recordBefore(index);
        for (size_t i = 0; i < chunk.prefix.size(); ++i)
            m_pos[i] = chunk.prefix[i];
        return static_cast<int>(chunk.prefix.size());
    }

    QString currentText() const { return m_plan.textOf(m_pos); }
    int& pos(int i) { return m_pos[static_cast<size_t>(i)]; }

    // Fills the positions after `depth` with the first combination below the current prefix.
    void settle(int depth)
    {
        for (int i = depth + 1; i < m_r; ++i)
            pos(i) = pos(i - 1) + 1;
    }

    // Called once per unit of work; true when the walk must stop. Every combination before
    // the current prefix's first one has been examined.
    bool checkpoint(int depth)
    {
        if (m_plan.cancelled()) {
            settle(depth);
            m_chunk->next.store(m_plan.rank(m_pos), std::memory_order_relaxed);
            m_stopped = true;
            return true;
        }
        if ((++m_ticks & 15u) == 0) {
            settle(depth);
            m_chunk->next.store(m_plan.rank(m_pos), std::memory_order_relaxed);
            // Records found meanwhile before this chunk tighten the bound.
            if ((m_ticks & 255u) == 0)
                m_record = m_plan.rule.tighter(m_record, m_plan.recordBefore(m_index));
        }
        return false;
    }

    void write(QString line, int key)
    {
        m_record = key;
        const std::lock_guard<std::mutex> lock(m_chunk->mutex);
        m_chunk->lines.push_back({std::move(line), key});
        m_chunk->key.store(m_plan.rule.tighter(m_chunk->key.load(std::memory_order_relaxed), key), std::memory_order_relaxed);
    }

    Plan& m_plan;
    const QList<int>& m_chosen;
    const int m_k;
    const int m_r;
    std::vector<int> m_pos;
    int m_record = 0; // the best count, or the oldest draw index, this walk measures against
    bool m_stopped = false;

private:
    Chunk* m_chunk = nullptr;
    size_t m_index = 0;
    unsigned m_ticks = 0;
};

// The lines of the chunks, kept in walk order by the record rule.
class Merge {
public:
    explicit Merge(const RecordRule& rule) : m_rule(rule), m_record(rule.initial) { }
    void add(const std::vector<Candidate>& candidates)
    {
        for (const Candidate& c : candidates) {
            if (m_rule.isRecord(c.key, m_record)) {
                m_record = c.key;
                m_lines << c.line;
                m_latest = c.key;
            }
        }
    }
    const QStringList& lines() const { return m_lines; }
    int latest() const { return m_latest; }

private:
    RecordRule m_rule;
    int m_record;
    QStringList m_lines;
    int m_latest = -1;
};

// Walks the plan's chunks on its threads, taken in order as the threads free up; the calling
// thread reports progress meanwhile and then gathers the lines. Stopped, the walk keeps the lines of
// every combination before the first one not examined (the earliest chunk not finished), so
// that its list is the one-thread walk's list up to there; later chunks' work is dropped.
template <class MakeWalk> Result walkChunks(Plan& plan, bool latestIsDraw, MakeWalk makeWalk)
{
    const auto started = std::chrono::steady_clock::now();
    std::mutex mutex;
    std::condition_variable ended;
    int running = plan.threads;
    auto work = [&] {
        auto walk = makeWalk();
        while (!plan.cancelled()) {
            const size_t i = plan.taken.fetch_add(1);
            if (i >= plan.chunks.size())
                break;
            Chunk& chunk = plan.chunks[i];
            walk->run(chunk, i);
            if (walk->stopped())
                break;
            chunk.next.store(chunk.end, std::memory_order_relaxed);
            chunk.done.store(true, std::memory_order_release);
        }
        const std::lock_guard<std::mutex> lock(mutex);
        --running;
        ended.notify_all();
    };
    std::vector<std::thread> threads;
    for (int t = 0; t < plan.threads; ++t)
        threads.emplace_back(work);

    Merge merge(plan.rule);
    size_t merged = 0;
    auto mergeDone = [&] {
        while (merged < plan.chunks.size() && plan.chunks[merged].done.load(std::memory_order_acquire))
            merge.add(plan.chunks[merged++].lines);
    };
    const auto interval = std::max(plan.options.interval, std::chrono::milliseconds(1));
    {
        std::unique_lock<std::mutex> lock(mutex);
        while (!ended.wait_for(lock, interval, [&] { return running == 0; })) {
            if (!plan.options.onProgress)
                continue;
            lock.unlock();
            mergeDone();
            if (merged < plan.chunks.size()) {
                Chunk& frontier = plan.chunks[merged];
                Merge shown = merge;
                {
                    const std::lock_guard<std::mutex> chunkLock(frontier.mutex);
                    shown.add(frontier.lines);
                }
                CombinationWalk::Progress progress;
                progress.examined = frontier.next.load(std::memory_order_relaxed);
                progress.total = plan.total;
                progress.combination = plan.textOf(plan.unrank(progress.examined));
                progress.elapsed
                    = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - started);
                progress.lines = &shown.lines();
                progress.latestRecordDraw = latestIsDraw ? shown.latest() : -1;
                plan.options.onProgress(progress);
            }
            lock.lock();
        }
    }
    for (std::thread& t : threads)
        t.join();

    mergeDone();
    Result result;
    result.total = plan.total;
    if (merged < plan.chunks.size()) {
        Chunk& frontier = plan.chunks[merged];
        merge.add(frontier.lines);
        result.stopped = true;
        result.examined = frontier.next.load(std::memory_order_relaxed);
        result.lastCombination = plan.textOf(plan.unrank(result.examined));
    } else {
        result.examined = plan.total;
        result.lastCombination = plan.total > 0 ? plan.textOf(plan.unrank(plan.total - 1)) : QString();
    }
    result.lines = merge.lines();
    result.latestRecordDraw = latestIsDraw ? merge.latest() : -1;
    return result;
}

// What every thread of "Plus sortis" reads: the chosen numbers' bitsets over the period and,
// built once when first wanted, each draw's list of the chosen numbers it holds.
struct MostFrequentData {
    MostFrequentData(const DrawMatrix& matrix, const StudyPeriod& period, const QList<int>& chosen)
        : kernels(CombinationEngine::kernels())
    {
        k = static_cast<int>(chosen.size());
        const int first = std::max(period.first, 0);
        const int last = std::min(period.last, matrix.columns() - 1);
        draws = std::max(last - first + 1, 0);
        words = DrawBits::wordsFor(draws);
        rows.resize(static_cast<size_t>(k) * static_cast<size_t>(words));
        rowCount.resize(static_cast<size_t>(k));
        for (int q = 0; q < k; ++q) {
            const int n = chosen[q];
            Word* row = rows.data() + static_cast<size_t>(q) * static_cast<size_t>(words);
            if (draws > 0)
                DrawBits::extract(matrix, n >= 1 && n <= 70 ? n : -1, first, last, row);
            int c = 0;
            for (int w = 0; w < words; ++w)
                c += std::popcount(row[w]);
            rowCount[static_cast<size_t>(q)] = c;
            appearances += c;
        }
    }

    const Word* row(int q) const { return rows.data() + static_cast<size_t>(q) * static_cast<size_t>(words); }

    void buildDrawLists()
    {
        std::call_once(listsBuilt, [this] {
            // For every draw, the positions of the chosen numbers it holds, ascending.
            listLength.assign(static_cast<size_t>(draws), 0);
            for (int q = 0; q < k; ++q) {
                for (int w = 0; w < words; ++w) {
                    for (Word bits = row(q)[w]; bits; bits &= bits - 1)
                        ++listLength[static_cast<size_t>(w * 64 + std::countr_zero(bits))];
                }
            }
            stride = 0;
            for (std::uint8_t len : listLength)
                stride = std::max(stride, static_cast<int>(len));
            lists.assign(static_cast<size_t>(draws) * static_cast<size_t>(stride), 0);
            std::fill(listLength.begin(), listLength.end(), std::uint8_t{0});
            for (int q = 0; q < k; ++q) {
                for (int w = 0; w < words; ++w) {
                    for (Word bits = row(q)[w]; bits; bits &= bits - 1) {
                        const size_t d = static_cast<size_t>(w * 64 + std::countr_zero(bits));
                        lists[d * static_cast<size_t>(stride) + listLength[d]++] = static_cast<std::uint8_t>(q);
                    }
                }
            }
        });
    }

    const Kernels& kernels;
    int k = 0;
    int draws = 0;
    int words = 0;
    std::vector<Word> rows;
    std::vector<int> rowCount;
    long long appearances = 0;
    std::once_flag listsBuilt;
    std::vector<std::uint8_t> lists;
    std::vector<std::uint8_t> listLength;
    int stride = 0;
};

class MostFrequentWalk : public WalkBase {
public:
    MostFrequentWalk(Plan& plan, MostFrequentData& data)
        : WalkBase(plan), m_data(data), m_kernels(data.kernels), m_words(data.words)
    {
        m_stack.resize(static_cast<size_t>(std::max(m_r, 1)) * static_cast<size_t>(m_words));
        m_counter.assign(static_cast<size_t>(m_k), 0);
    }

    void run(Chunk& chunk, size_t index)
    {
        const int fixed = enter(chunk, index);
        if (fixed == 0) {
            if (m_r == 1)
                leaves(nullptr, 0);
            else
                descend(0, 0, nullptr);
            return;
        }
        const Word* current = m_data.row(pos(0));
        int count = m_data.rowCount[static_cast<size_t>(pos(0))];
        for (int j = 1; j < fixed; ++j) {
            Word* slot = m_stack.data() + static_cast<size_t>(j) * static_cast<size_t>(m_words);
            count = m_kernels.andInto(slot, current, m_data.row(pos(j)), m_words);
            current = slot;
        }
        if (count >= m_record)
            descend(fixed, pos(fixed - 1) + 1, current);
    }

private:
    void descend(int depth, int from, const Word* parent)
    {
        for (int q = from; q <= m_k - m_r + depth; ++q) {
            pos(depth) = q;
            if (checkpoint(depth))
                return;
            const Word* current;
            int count;
            if (depth == 0) {
                current = m_data.row(q);
                count = m_data.rowCount[static_cast<size_t>(q)];
            } else {
                Word* slot = m_stack.data() + static_cast<size_t>(depth) * static_cast<size_t>(m_words);
                count = m_kernels.andInto(slot, parent, m_data.row(q), m_words);
                current = slot;
            }
            // Counts only fall as numbers are added: below the record, nothing under this
            // prefix can be listed, and skipping it leaves the record unchanged.
            if (count < m_record)
                continue;
            if (depth == m_r - 2)
                leaves(current, count);
            else if (depth == m_r - 3 && pairsCheaper(count, q))
                pairLeaves(current, q);
            else
                descend(depth + 1, q + 1, current);
            if (m_stopped)
                return;
        }
    }

    void record(int x, int count)
    {
        if (count >= m_record) {
            pos(m_r - 1) = x;
            write(CombinationWalk::mostFrequentLine(currentText(), count), count);
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
                record(x, m_data.rowCount[static_cast<size_t>(x)]);
            return;
        }
        // Few draws hold the prefix: count every candidate at once from those draws' lists
        // instead of intersecting each candidate's whole bitset.
        const int draws = m_data.draws;
        const double perDraw = draws > 0 ? static_cast<double>(m_data.appearances) / draws : 0.0;
        const double sparseCost = m_words + 2.0 * prefixCount * perDraw * candidates / std::max(m_k, 1);
        const double denseCost = static_cast<double>(candidates) * m_words;
        if (sparseCost < denseCost) {
            m_data.buildDrawLists();
            const int stride = m_data.stride;
            for (int w = 0; w < m_words; ++w) {
                for (Word bits = prefix[w]; bits; bits &= bits - 1) {
                    const size_t d = static_cast<size_t>(w * 64 + std::countr_zero(bits));
                    const std::uint8_t* list = m_data.lists.data() + d * static_cast<size_t>(stride);
                    for (int i = m_data.listLength[d] - 1; i >= 0 && list[i] > after; --i)
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
                record(x, m_kernels.andCount(prefix, m_data.row(x), m_words));
        }
    }

    // Under a prefix held by few draws, the last two numbers of every combination are counted
    // at once: each draw adds one to every pair of its numbers placed after the prefix. The
    // single counts are the intersections the walk would compute one level down.
    bool pairsCheaper(int prefixCount, int after) const
    {
        const int draws = m_data.draws;
        const double perDraw = draws > 0 ? static_cast<double>(m_data.appearances) / draws : 0.0;
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
        m_data.buildDrawLists();
        if (m_pairs.empty())
            m_pairs.assign(static_cast<size_t>(m_k) * static_cast<size_t>(m_k), 0);
        const size_t k = static_cast<size_t>(m_k);
        const size_t stride = static_cast<size_t>(m_data.stride);
        m_hits.clear();
        for (int w = 0; w < m_words; ++w) {
            for (Word bits = prefix[w]; bits; bits &= bits - 1)
                m_hits.push_back(w * 64 + std::countr_zero(bits));
        }
        // The draws' lists are scattered over the whole history: fetch a few draws ahead.
        constexpr size_t kAhead = 8;
        const size_t hits = m_hits.size();
        for (size_t h = 0; h < hits; ++h) {
            if (h + kAhead < hits) {
                const size_t ahead = static_cast<size_t>(m_hits[h + kAhead]);
                __builtin_prefetch(m_data.lists.data() + ahead * stride + stride - 1);
                __builtin_prefetch(m_data.listLength.data() + ahead);
            }
            {
                const size_t d = static_cast<size_t>(m_hits[h]);
                const std::uint8_t* list = m_data.lists.data() + d * stride;
                const int length = m_data.listLength[d];
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
        for (int a = after + 1; a <= m_k - 2 && !m_stopped; ++a) {
            pos(m_r - 2) = a;
            if (checkpoint(m_r - 2))
                break;
            if (m_counter[static_cast<size_t>(a)] < m_record)
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

    MostFrequentData& m_data;
    const Kernels& m_kernels;
    const int m_words;
    std::vector<int> m_hits; // the draws holding the prefix
    std::vector<int> m_pairs;
    std::vector<Word> m_stack;
    std::vector<int> m_counter;
};

// What every thread of the gap search reads: the chosen numbers' bitsets from draw 0 to the
// start draw.
struct GapSearchData {
    GapSearchData(const DrawMatrix& matrix, int start, const QList<int>& chosen, int r, int s)
        : matrix(matrix), start(start), s(s)
    {
        const int k = static_cast<int>(chosen.size());
        words = start / 64 + 1;
        topMask = start % 64 == 63 ? ~Word{0} : (Word{1} << (start % 64 + 1)) - 1;
        rows.resize(static_cast<size_t>(k) * static_cast<size_t>(words));
        for (int q = 0; q < k; ++q) {
            const int n = chosen[q];
            DrawBits::extract(matrix, n >= 1 && n <= 70 ? n : -1, 0, start,
                              rows.data() + static_cast<size_t>(q) * static_cast<size_t>(words));
        }
        slices = std::bit_width(static_cast<unsigned>(std::max(r, 1)));
        allOf = s == r;
    }
    const Word* row(int q) const { return rows.data() + static_cast<size_t>(q) * static_cast<size_t>(words); }

    const DrawMatrix& matrix;
    const int start;
    const int s;
    int words = 0;
    Word topMask = 0;
    std::vector<Word> rows;
    int slices = 1;
    bool allOf = false;
};

class GapSearchWalk : public WalkBase {
public:
    GapSearchWalk(Plan& plan, const GapSearchData& data) : WalkBase(plan), m_data(data), m_words(data.words)
    {
        m_cache.resize(static_cast<size_t>(m_words) * static_cast<size_t>(data.allOf ? 1 : data.slices));
    }

    void run(Chunk& chunk, size_t index)
    {
        const int fixed = enter(chunk, index);
        if (fixed == 0) {
            if (m_r == 1)
                leaves(-1);
            else
                descend(0, 0);
            return;
        }
        descend(fixed, pos(fixed - 1) + 1);
    }

private:
    void listIfOlder(int d)
    {
        if (d >= m_record)
            return;
        int present = 0;
        for (int i = 0; i < m_r; ++i)
            present += m_data.matrix.contains(m_chosen[pos(i)], d) ? 1 : 0;
        write(CombinationWalk::gapLine(currentText(), present, m_data.start - d), d);
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
            if (m_stopped)
                return;
        }
    }

    // Computes the prefix's words down to word w (at least a few at a time), newest first.
    void extendCache(int w)
    {
        const int lo = std::max(0, std::min(w, m_cacheFrom - 8));
        const int prefixSize = m_r - 1;
        if (m_data.allOf) {
            for (int i = lo; i < m_cacheFrom; ++i) {
                Word v = ~Word{0};
                for (int j = 0; j < prefixSize; ++j)
                    v &= m_data.row(pos(j))[i];
                m_cache[static_cast<size_t>(i)] = v;
            }
        } else {
            const int slices = m_data.slices;
            for (int i = lo; i < m_cacheFrom; ++i) {
                Word* c = m_cache.data() + static_cast<size_t>(i) * static_cast<size_t>(slices);
                std::fill(c, c + slices, Word{0});
                for (int j = 0; j < prefixSize; ++j)
                    addTo(c, m_data.row(pos(j))[i]);
            }
        }
        m_cacheFrom = lo;
    }

    // Adds one bit per draw to a bit-sliced counter (slice 0 holds the units).
    void addTo(Word* c, Word carry) const
    {
        for (int b = 0; b < m_data.slices && carry; ++b) {
            const Word next = c[b] & carry;
            c[b] ^= carry;
            carry = next;
        }
    }

    // The draws whose counter is at least s.
    Word atLeast(const Word* c) const
    {
        Word greater = 0, equal = ~Word{0};
        for (int b = m_data.slices - 1; b >= 0; --b) {
            if ((m_data.s >> b) & 1) {
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
        const int slices = m_data.slices;
        for (int x = after + 1; x < m_k; ++x) {
            pos(m_r - 1) = x;
            if (checkpoint(m_r - 1))
                return;
            const Word* last = m_data.row(x);
            for (int w = m_words - 1; w >= 0; --w) {
                if (w < m_cacheFrom)
                    extendCache(w);
                Word hits;
                if (m_data.allOf) {
                    hits = m_cache[static_cast<size_t>(w)] & last[w];
                } else {
                    Word c[8];
                    std::copy_n(m_cache.data() + static_cast<size_t>(w) * static_cast<size_t>(slices), slices, c);
                    addTo(c, last[w]);
                    hits = atLeast(c);
                }
                if (w == m_words - 1)
                    hits &= m_data.topMask;
                // The newest qualifying draw ends the scan; it is listed only when older
                // than the record.
                if (hits) {
                    listIfOlder(w * 64 + 63 - std::countl_zero(hits));
                    break;
                }
            }
        }
    }

    const GapSearchData& m_data;
    const int m_words;
    std::vector<Word> m_cache;
    int m_cacheFrom = 0;
};

} // namespace

Result mostFrequent(const DrawMatrix& matrix, const StudyPeriod& period, const QList<int>& chosen, int r, const Options& options)
{
    if (r < 1 || r > chosen.size())
        return {};
    Plan plan(chosen, r, RecordRule{true, 0}, options);
    MostFrequentData data(matrix, period, chosen);
    return walkChunks(plan, false, [&] { return std::make_unique<MostFrequentWalk>(plan, data); });
}

Result gapSearch(const DrawMatrix& matrix, int start, int lineCount, const QList<int>& chosen, int r, int s,
                 const Options& options)
{
    if (r < 1 || r > chosen.size())
        return {};
    Plan plan(chosen, r, RecordRule{false, lineCount}, options);
    if (start < 0 || s > r || s <= 0) {
        // Nothing to walk: no draw is searched or none can qualify; or, with s <= 0, the
        // newest draw qualifies for every combination and only the first is listed.
        Result result;
        result.total = result.examined = plan.total;
        result.lastCombination = plan.textOf(plan.unrank(plan.total - 1));
        if (start >= 0 && s <= 0 && start < lineCount) {
            QList<int> numbers;
            int present = 0;
            for (int i = 0; i < r; ++i) {
                numbers << chosen[i];
                present += matrix.contains(chosen[i], start) ? 1 : 0;
            }
            result.lines << CombinationWalk::gapLine(CombinationWalk::text(numbers), present, 0);
            result.latestRecordDraw = start;
        }
        return result;
    }
    GapSearchData data(matrix, start, chosen, r, s);
    return walkChunks(plan, true, [&] { return std::make_unique<GapSearchWalk>(plan, data); });
}

} // namespace CombinationEngine
