// SPDX-License-Identifier: GPL-3.0-or-later
#include "chance/TotalLaw.h"

#include <fftw3.h>

#include <algorithm>
#include <cmath>
#include <complex>
#include <limits>
#include <map>
#include <memory>
#include <mutex>
#include <new>
#include <numeric>
#include <tuple>

namespace {

using Complex = std::complex<double>;

// Mass left out at each end of every computed law.
constexpr double kTail = 1e-14;

// Plain product: std::complex's operator* checks for infinities and NaNs through a library call.
inline Complex times(const Complex& a, const Complex& b)
{
    return {a.real() * b.real() - a.imag() * b.imag(), a.real() * b.imag() + a.imag() * b.real()};
}

// A buffer of FFTW's own allocation: aligned alike on every run, so that FFTW picks the same
// code and the figures come out the same to the last bit.
class Spectrum {
public:
    explicit Spectrum(size_t size) : m_size(size), m_data(fftw_alloc_complex(size))
    {
        if (!m_data)
            throw std::bad_alloc();
        std::fill(begin(), end(), Complex());
    }
    ~Spectrum() { fftw_free(m_data); }
    Spectrum(const Spectrum&) = delete;
    Spectrum& operator=(const Spectrum&) = delete;

    size_t size() const { return m_size; }
    Complex* begin() { return reinterpret_cast<Complex*>(m_data); }
    Complex* end() { return begin() + m_size; }
    Complex& operator[](size_t i) { return begin()[i]; }
    fftw_complex* data() { return m_data; }

private:
    size_t m_size;
    fftw_complex* m_data;
};

// An in-place transform of one buffer. FFTW's planner is not thread-safe (the window computes
// laws on worker threads), its execution is; the estimating planner leaves the buffer alone.
class Transform {
public:
    Transform(Spectrum& buffer, int sign) : m_buffer(buffer)
    {
        const std::lock_guard<std::mutex> lock(plannerMutex());
        m_plan = fftw_plan_dft_1d(static_cast<int>(buffer.size()), buffer.data(), buffer.data(), sign, FFTW_ESTIMATE);
    }
    ~Transform()
    {
        const std::lock_guard<std::mutex> lock(plannerMutex());
        fftw_destroy_plan(m_plan);
    }
    Transform(const Transform&) = delete;
    Transform& operator=(const Transform&) = delete;

    // FFTW leaves the backward transform unscaled: `scaled` divides it by n.
    void run(bool scaled = false)
    {
        fftw_execute(m_plan);
        if (!scaled)
            return;
        const double n = static_cast<double>(m_buffer.size());
        for (Complex& z : m_buffer)
            z = {z.real() / n, z.imag() / n};
    }

private:
    static std::mutex& plannerMutex()
    {
        static std::mutex mutex;
        return mutex;
    }
    Spectrum& m_buffer;
    fftw_plan m_plan;
};

size_t powerOfTwoAtLeast(qint64 n)
{
    size_t size = 1;
    while (static_cast<qint64>(size) < n)
        size <<= 1;
    return size;
}

// One play's law on the grid: whole values (in grid steps) and their probabilities.
struct Law {
    std::vector<qint64> values;
    std::vector<double> probs;

    qint64 largest() const { return *std::max_element(values.begin(), values.end()); }
    qint64 smallest() const { return *std::min_element(values.begin(), values.end()); }

    // log E[exp(theta X)], computed from the largest (theta > 0) or smallest term.
    double logMoment(double theta) const
    {
        const double ref = static_cast<double>(theta > 0 ? largest() : smallest());
        double sum = 0;
        for (size_t i = 0; i < values.size(); ++i)
            sum += probs[i] * std::exp(theta * (static_cast<double>(values[i]) - ref));
        return theta * ref + std::log(sum);
    }

    // Chernoff: totals of n plays below the result (or above, for `upper`) have probability at
    // most kTail.
    qint64 cut(int n, bool upper) const;
};

// `plays` plays of `law`, one of the independent terms of a sum.
struct Term {
    const Law* law = nullptr;
    int plays = 0;
};

// Chernoff: sums of the terms below the result (or above, for `upper`) have probability at most
// kTail. The bound is minimised over the tilt, a unimodal function of its logarithm.
qint64 cutOfSum(const std::vector<Term>& terms, bool upper)
{
    qint64 extreme = 0;
    bool constant = true;
    for (const Term& t : terms) {
        extreme += static_cast<qint64>(t.plays) * (upper ? t.law->largest() : t.law->smallest());
        constant = constant && (t.plays == 0 || t.law->largest() == t.law->smallest());
    }
    if (constant)
        return extreme;
    const double logTail = std::log(kTail);
    auto bound = [&](double logTheta) {
        const double theta = std::exp(logTheta);
        double logMoment = 0;
        for (const Term& t : terms)
            logMoment += t.plays * t.law->logMoment(upper ? theta : -theta);
        return upper ? (logMoment - logTail) / theta : -(logMoment - logTail) / theta;
    };
    double a = std::log(1e-12), b = std::log(50.0);
    for (int i = 0; i < 200; ++i) {
        const double m1 = a + (b - a) / 3, m2 = b - (b - a) / 3;
        const bool keepLeft = upper ? bound(m1) < bound(m2) : bound(m1) > bound(m2);
        (keepLeft ? b : a) = keepLeft ? m2 : m1;
    }
    const double best = bound((a + b) / 2);
    if (upper)
        return std::min(extreme, static_cast<qint64>(std::ceil(std::min(best, 9e18))));
    return std::max(extreme, static_cast<qint64>(std::floor(std::max(best, 0.0))));
}

qint64 Law::cut(int n, bool upper) const
{
    return cutOfSum({{this, n}}, upper);
}

// Binomial weights P(J = j), j = 0..jmax, with P(J > jmax) below kTail.
std::vector<double> binomialHead(int n, double p)
{
    std::vector<double> weights;
    for (int j = 0; j <= n; ++j) {
        const double logW
            = std::lgamma(n + 1.0) - std::lgamma(j + 1.0) - std::lgamma(n - j + 1.0) + j * std::log(p) + (n - j) * std::log1p(-p);
        weights.push_back(std::exp(logW));
        // Past the mode the terms fall at least geometrically with ratio r.
        const double r = (n - j) * p / ((j + 1.0) * (1.0 - p));
        if (j >= n * p && r < 1.0 && weights.back() * r / (1.0 - r) <= kTail)
            break;
    }
    return weights;
}

// One play's law on the grid of the amounts' greatest common step, with that step and the
// mean total of `plays` plays.
struct GridLaw {
    Law law;
    qint64 step = 1;
    double mean = 0;
};

GridLaw onGrid(const std::vector<qint64>& values, const std::vector<double>& probs, int plays)
{
    GridLaw grid;
    std::map<qint64, double> merged;
    for (size_t i = 0; i < values.size() && i < probs.size(); ++i)
        if (probs[i] > 0)
            merged[std::max<qint64>(0, values[i])] += probs[i];
    qint64 step = 0;
    for (const auto& [v, p] : merged) {
        step = std::gcd(step, v);
        grid.mean += plays * static_cast<double>(v) * p;
    }
    grid.step = step == 0 ? 1 : step;
    for (const auto& [v, p] : merged) {
        grid.law.values.push_back(v / grid.step);
        grid.law.probs.push_back(p);
    }
    if (grid.law.values.empty()) {
        grid.law.values = {0};
        grid.law.probs = {1.0};
    }
    return grid;
}

// The law the transform raises to a power, and for the rare top amounts the binomial weights
// of how many of the plays pay one of them (one weight, 1, when they are not set apart) and
// their law given that one of them is paid.
struct TopApart {
    Law body;
    std::vector<double> weights{1.0};
    Law rare;
    bool split = false;
};

// The `count` largest amounts apart: J of the n plays pay one of them, the others follow the rest
// of the law; done only when the narrower grid pays for the extra transforms.
TopApart setTopApart(const Law& full, int n, int count)
{
    TopApart result;
    result.body = full;
    if (full.values.size() <= 1 || n <= 0)
        return result;
    const size_t firstRare = full.values.size() - std::clamp<size_t>(static_cast<size_t>(count), 1, full.values.size() - 1);
    double pTop = 0;
    for (size_t i = firstRare; i < full.values.size(); ++i)
        pTop += full.probs[i];
    if (n * pTop >= 50)
        return result;
    Law rest;
    for (size_t i = 0; i < firstRare; ++i) {
        rest.values.push_back(full.values[i]);
        rest.probs.push_back(full.probs[i] / (1.0 - pTop));
    }
    const std::vector<double> head = binomialHead(n, pTop);
    const int jmax = static_cast<int>(head.size()) - 1;
    const qint64 restWidth = rest.cut(n, true) - rest.cut(n - jmax, false) + 1;
    const qint64 fullWidth = full.cut(n, true) - full.cut(n, false) + 1;
    const double splitCost = (jmax + 2.0) * static_cast<double>(powerOfTwoAtLeast(restWidth));
    const double fullCost = 2.0 * static_cast<double>(powerOfTwoAtLeast(fullWidth));
    if (splitCost < fullCost) {
        result.split = true;
        result.body = rest;
        result.weights = head;
        for (size_t i = firstRare; i < full.values.size(); ++i) {
            result.rare.values.push_back(full.values[i]);
            result.rare.probs.push_back(full.probs[i] / pTop);
        }
    }
    return result;
}

// The law of the sum of j plays drawn from `rare`, for j = 0..jmax: shift -> probability.
std::vector<std::map<qint64, double>> rareSums(const Law& rare, int jmax)
{
    std::vector<std::map<qint64, double>> sums(static_cast<size_t>(jmax) + 1);
    sums[0][0] = 1.0;
    for (size_t j = 1; j < sums.size(); ++j)
        for (const auto& [s, p] : sums[j - 1])
            for (size_t i = 0; i < rare.values.size(); ++i)
                sums[j][s + rare.values[i]] += p * rare.probs[i];
    return sums;
}

// Combinations of rare plays below this weight are left out: there are never enough of them for
// their mass to come near kTail.
constexpr double kRareWeight = 1e-20;

// The logarithm of a transform's modulus below which it is left at 0 (e^-69 < 1e-30).
constexpr double kNegligible = -69.0;

// A group's top is set apart only when more than kMostRare - 1 plays paying it have less than
// kTail of chance: a top that comes more often would multiply the combinations of rare plays.
constexpr size_t kMostRare = 12;

// Combinations of rare plays one law may hold: each costs a pass over the grid.
constexpr size_t kMaxCombinations = 4096;

// A group of plays on the common grid, its top amount set apart or not.
struct GroupOnGrid {
    Law full;
    int plays = 0;
    TopApart apart;
    qint64 top() const { return full.largest(); }
    int fewest() const { return plays - (apart.split ? static_cast<int>(apart.weights.size()) - 1 : 0); }
};

// The top of one group apart, when the binomial law of how often it comes is short.
bool splitTop(GroupOnGrid& g)
{
    if (g.full.values.size() <= 1 || g.plays <= 0)
        return false;
    const double pTop = g.full.probs.back();
    if (g.plays * pTop >= 50)
        return false;
    const std::vector<double> head = binomialHead(g.plays, pTop);
    if (head.size() > kMostRare)
        return false;
    Law rest;
    for (size_t i = 0; i + 1 < g.full.values.size(); ++i) {
        rest.values.push_back(g.full.values[i]);
        rest.probs.push_back(g.full.probs[i] / (1.0 - pTop));
    }
    g.apart.body = rest;
    g.apart.weights = head;
    g.apart.rare.values = {g.full.values.back()};
    g.apart.rare.probs = {1.0};
    g.apart.split = true;
    return true;
}

// The grid points [low, high] the bodies of all groups add up to, each group short of all its
// rare plays at the low end.
std::pair<qint64, qint64> bodyRange(const std::vector<GroupOnGrid>& groups)
{
    std::vector<Term> fewest, most;
    for (const GroupOnGrid& g : groups) {
        fewest.push_back({&g.apart.body, g.fewest()});
        most.push_back({&g.apart.body, g.plays});
    }
    return {cutOfSum(fewest, false), cutOfSum(most, true)};
}

// How many rare plays each group with its top apart holds, and how likely that is.
struct RareCounts {
    double weight = 1;
    std::vector<int> counts; // one per group, 0 for the groups kept whole
};

// Every combination of rare plays heavier than kRareWeight, by the total they add (in grid
// steps); `made` counts them, the search stopping past kMaxCombinations.
void rareCombinations(const std::vector<GroupOnGrid>& groups, size_t i, RareCounts& at, qint64 shift,
                      std::map<qint64, std::vector<RareCounts>>& out, size_t& made)
{
    if (made > kMaxCombinations)
        return;
    if (at.weight < kRareWeight)
        return;
    if (i == groups.size()) {
        out[shift].push_back(at);
        ++made;
        return;
    }
    const TopApart& apart = groups[i].apart;
    const double weight = at.weight;
    const size_t ways = apart.split ? apart.weights.size() : 1;
    for (size_t j = 0; j < ways; ++j) {
        at.weight = weight * (apart.split ? apart.weights[j] : 1.0);
        at.counts[i] = static_cast<int>(j);
        rareCombinations(groups, i + 1, at, shift + (j > 0 ? static_cast<qint64>(j) * apart.rare.values[0] : 0), out, made);
    }
    at.weight = weight;
    at.counts[i] = 0;
}

// What a choice of tops set apart costs: the grid, the combinations of rare plays by the total
// they add, and the memory and time they take.
struct Plan {
    qint64 low = 0, high = 0;
    size_t size = 1;
    std::map<qint64, std::vector<RareCounts>> combinations;
    size_t made = 0;
    qint64 cells = 0;
    bool fits() const { return made <= kMaxCombinations && cells <= TotalLaw::kMaxCells; }
    // Passes over the grid: a transform and its logarithm for each group, a transform back and a
    // cdf for each total of rare plays, one pass for each combination.
    double cost(size_t groups) const
    {
        return static_cast<double>(size) * static_cast<double>(2 * groups + 2 * combinations.size() + made);
    }
};

Plan planOf(const std::vector<GroupOnGrid>& groups)
{
    Plan plan;
    std::tie(plan.low, plan.high) = bodyRange(groups);
    plan.size = powerOfTwoAtLeast(plan.high - plan.low + 1);
    RareCounts none{1.0, std::vector<int>(groups.size(), 0)};
    rareCombinations(groups, 0, none, 0, plan.combinations, plan.made);
    const qint64 split = std::count_if(groups.begin(), groups.end(), [](const GroupOnGrid& g) { return g.apart.split; });
    plan.cells = 2 * static_cast<qint64>(plan.size) * (split + 2)
        + static_cast<qint64>(plan.combinations.size()) * (plan.high - plan.low + 1);
    return plan;
}

// Sets apart the tops of the groups, the largest first, as far as makes the cheapest plan that
// fits in memory, and returns that plan (one that does not fit when none does).
Plan setTopsApart(std::vector<GroupOnGrid>& groups)
{
    std::vector<size_t> order(groups.size());
    std::iota(order.begin(), order.end(), size_t{0});
    std::sort(order.begin(), order.end(), [&](size_t a, size_t b) { return groups[a].top() > groups[b].top(); });
    const std::vector<GroupOnGrid> whole = groups;
    Plan best = planOf(groups);
    size_t bestCount = 0;
    for (size_t count = 1; count <= order.size(); ++count) {
        if (!splitTop(groups[order[count - 1]]))
            continue;
        const Plan plan = planOf(groups);
        if (plan.fits() && (!best.fits() || plan.cost(groups.size()) < best.cost(groups.size()))) {
            best = plan;
            bestCount = count;
        }
    }
    for (size_t count = bestCount; count < order.size(); ++count)
        groups[order[count]].apart = whole[order[count]].apart;
    return best;
}

// The logarithm of the transform of one play of `law` on `size` points (a zero modulus kept
// finite, so that differences of logarithms stay defined).
std::vector<Complex> logTransform(const Law& law, size_t size)
{
    Spectrum one(size);
    for (size_t i = 0; i < law.values.size(); ++i)
        one[static_cast<size_t>(law.values[i]) % size] += law.probs[i];
    Transform(one, FFTW_FORWARD).run();
    std::vector<Complex> logs(size);
    for (size_t f = 0; f < size; ++f)
        logs[f] = {std::log(std::max(std::abs(one[f]), std::numeric_limits<double>::min())), std::arg(one[f])};
    return logs;
}

} // namespace

double TotalLaw::matchProbability(int k, int m, const Formula& formula)
{
    auto choose = [](int n, int r) -> double {
        if (r < 0 || r > n)
            return 0.0;
        // Exact in 64 bits for these sizes (C(N, 10) < 4e11 for every game).
        quint64 c = 1;
        for (int i = 1; i <= r; ++i)
            c = c * static_cast<quint64>(n - r + i) / static_cast<quint64>(i);
        return static_cast<double>(c);
    };
    const int drawn = formula.drawn, numbers = formula.numbers;
    return choose(drawn, m) * choose(numbers - drawn, k - m) / choose(numbers, k);
}

TotalLaw TotalLaw::payout(int k, int plays)
{
    return payout(Formula::classic(), k, plays).value(); // every row of its table is known
}

std::optional<TotalLaw> TotalLaw::payout(const Formula& formula, int k, int plays)
{
    return payout(formula, formula.payTable, k, plays);
}

std::optional<TotalLaw> TotalLaw::payout(const Formula& formula, const PayTable& table, int k, int plays, qint64 euros,
                                         const std::map<int, int>& playsAtFactor)
{
    if (!table.rowKnown(k))
        return std::nullopt;
    std::map<int, int> counts{{1, std::max(0, plays)}};
    for (const auto& [factor, count] : playsAtFactor)
        if (factor != 1 && count > 0) {
            counts[factor] += count;
            counts[1] -= count;
        }
    std::vector<Group> groups;
    for (const auto& [factor, count] : counts) {
        Group g{{}, {}, std::max(0, count)};
        for (int m = 0; m <= k; ++m) {
            g.values.push_back(*table.amount(k, m) * euros * factor);
            g.probs.push_back(matchProbability(k, m, formula));
        }
        groups.push_back(std::move(g));
    }
    return sum(groups);
}

TotalLaw TotalLaw::matches(int k, int plays, const Formula& formula)
{
    std::vector<qint64> values;
    std::vector<double> probs;
    for (int m = 0; m <= k; ++m) {
        values.push_back(m);
        probs.push_back(matchProbability(k, m, formula));
    }
    return TotalLaw(values, probs, plays);
}

TotalLaw::TotalLaw(const std::vector<qint64>& values, const std::vector<double>& probs, int plays, int rareCount)
    : m_plays(std::max(0, plays))
{
    const GridLaw grid = onGrid(values, probs, m_plays);
    m_step = grid.step;
    m_mean = grid.mean;
    m_max = static_cast<qint64>(m_plays) * grid.law.largest() * m_step;
    const int n = m_plays;
    const TopApart apart = setTopApart(grid.law, n, rareCount);
    const Law& body = apart.body;
    const std::vector<double>& weights = apart.weights;
    const int jmax = apart.split ? static_cast<int>(weights.size()) - 1 : 0;
    const std::vector<std::map<qint64, double>> shifts = rareSums(apart.rare, jmax);
    const qint64 low = body.cut(n - jmax, false);
    const qint64 high = body.cut(n, true);
    const size_t size = powerOfTwoAtLeast(high - low + 1);
    Spectrum oneTransform(size);
    for (size_t i = 0; i < body.values.size(); ++i)
        oneTransform[static_cast<size_t>(body.values[i]) % size] += body.probs[i];
    Transform(oneTransform, FFTW_FORWARD).run();

    // The transform of the total of n - jmax plays, then one play more for each smaller j.
    std::vector<Complex> power(size);
    Spectrum work(size);
    Transform inverse(work, FFTW_BACKWARD);
    const int fewest = n - jmax;
    for (size_t f = 0; f < size; ++f) {
        const Complex z = oneTransform[f];
        const double r = std::abs(z);
        power[f] = r == 0 ? Complex() : std::polar(std::exp(fewest * std::log(r)), fewest * std::arg(z));
    }
    std::vector<std::vector<Piece>> pieces(static_cast<size_t>(jmax) + 1);
    for (int j = jmax; j >= 0; --j) {
        const int plays = n - j;
        if (j < jmax)
            for (size_t f = 0; f < size; ++f)
                power[f] = times(power[f], oneTransform[f]);
        std::copy(power.begin(), power.end(), work.begin()); // in place: the plan holds its address
        inverse.run(true);
        const qint64 first = body.cut(plays, false), last = body.cut(plays, true);
        auto cdf = std::make_shared<std::vector<double>>();
        double sum = 0;
        cdf->reserve(static_cast<size_t>(last - first + 1));
        for (qint64 x = first; x <= last; ++x) {
            // Round-off leaves tiny negative values where the law is 0.
            sum += std::max(0.0, work[static_cast<size_t>(x) % size].real());
            cdf->push_back(std::min(1.0, sum));
        }
        // One piece for each total the j rare plays may add, all sharing the law of the others.
        for (const auto& [shift, p] : shifts[static_cast<size_t>(j)])
            pieces[static_cast<size_t>(j)].push_back({weights[static_cast<size_t>(j)] * p, shift, first, cdf});
    }
    for (std::vector<Piece>& atJ : pieces)
        m_pieces.insert(m_pieces.end(), atJ.begin(), atJ.end());
}

double TotalLaw::cdf(qint64 x) const
{
    if (x < 0)
        return 0.0;
    const qint64 g = x / m_step; // grid steps at or below x
    double total = 0;
    for (const Piece& p : m_pieces) {
        const qint64 i = g - p.shift - p.first;
        if (i < 0)
            continue;
        total += p.weight * (i >= static_cast<qint64>(p.cdf->size()) ? 1.0 : (*p.cdf)[static_cast<size_t>(i)]);
    }
    return std::min(1.0, total);
}

qint64 TotalLaw::smallestAbove(double level, bool strictly) const
{
    qint64 lo = 0, hi = m_max; // the answer lies in [lo, hi]
    while (lo < hi) {
        const qint64 mid = lo + (hi - lo) / 2;
        const double c = cdf(mid);
        if (strictly ? c > level : c >= level)
            hi = mid;
        else
            lo = mid + 1;
    }
    return lo;
}

qint64 TotalLaw::quantile(double level) const
{
    return smallestAbove(level, false);
}

TotalLaw::Band TotalLaw::band(double coverage) const
{
    const double tail = (1.0 - coverage) / 2.0;
    Band b;
    // low: the first total at which more than the tail lies at or below, so less lies below it.
    b.low = smallestAbove(tail, true);
    b.high = smallestAbove(1.0 - tail, false);
    return b;
}

std::optional<TotalLaw> TotalLaw::sum(const std::vector<Group>& groups)
{
    std::vector<Group> played;
    for (const Group& g : groups)
        if (g.plays > 0)
            played.push_back(g);
    if (played.empty())
        return TotalLaw({0}, {1.0}, 0);
    // One group: the law as it has always been made, to the last bit.
    if (played.size() == 1)
        return TotalLaw(played.front().values, played.front().probs, played.front().plays);
    TotalLaw law;
    if (!law.addGroups(played))
        return std::nullopt;
    return law;
}

namespace {

// The groups on the grid of all their amounts' greatest common step.
std::vector<GroupOnGrid> onCommonGrid(const std::vector<TotalLaw::Group>& groups, qint64& step, double& mean)
{
    std::vector<GridLaw> grids;
    step = 0;
    mean = 0;
    for (const TotalLaw::Group& g : groups) {
        grids.push_back(onGrid(g.values, g.probs, g.plays));
        step = std::gcd(step, grids.back().law.largest() == 0 ? 0 : grids.back().step);
        mean += grids.back().mean;
    }
    step = step == 0 ? 1 : step;
    std::vector<GroupOnGrid> out;
    for (size_t i = 0; i < groups.size(); ++i) {
        GroupOnGrid g;
        g.full = grids[i].law;
        for (qint64& v : g.full.values)
            v *= grids[i].step / step;
        g.plays = groups[i].plays;
        g.apart.body = g.full;
        out.push_back(std::move(g));
    }
    return out;
}

// The logarithms of the transforms on `size` points: of all the plays of every group, and of one
// play of each group whose top is set apart (empty for the others).
struct LogTransforms {
    std::vector<Complex> all;
    std::vector<std::vector<Complex>> one;
};

LogTransforms logTransforms(const std::vector<GroupOnGrid>& grid, size_t size)
{
    LogTransforms t{std::vector<Complex>(size), std::vector<std::vector<Complex>>(grid.size())};
    for (size_t g = 0; g < grid.size(); ++g) {
        std::vector<Complex> logs = logTransform(grid[g].apart.body, size);
        const double n = grid[g].plays;
        for (size_t f = 0; f < size; ++f)
            t.all[f] += Complex(n * logs[f].real(), n * logs[f].imag());
        if (grid[g].apart.split)
            t.one[g] = std::move(logs);
    }
    return t;
}

// Adds to `work` the transform of the bodies' sum for each combination, each group short of its
// rare plays, times the combination's weight; returns the weights' sum.
double addCombinations(const LogTransforms& logs, const std::vector<RareCounts>& atShift, Spectrum& work)
{
    double weight = 0;
    for (const RareCounts& c : atShift) {
        weight += c.weight;
        std::vector<std::pair<double, const std::vector<Complex>*>> less;
        for (size_t g = 0; g < c.counts.size(); ++g)
            if (c.counts[g] > 0)
                less.push_back({static_cast<double>(c.counts[g]), &logs.one[g]});
        for (size_t f = 0; f < work.size(); ++f) {
            double modulus = logs.all[f].real();
            for (const auto& [count, one] : less)
                modulus -= count * (*one)[f].real();
            // Most frequencies of a sum of many plays are this small: the sum of all of them
            // moves no probability by 1e-25.
            if (modulus < kNegligible)
                continue;
            double phase = logs.all[f].imag();
            for (const auto& [count, one] : less)
                phase -= count * (*one)[f].imag();
            work[f] += std::polar(c.weight * std::exp(modulus), phase);
        }
    }
    return weight;
}

// The cdf on [low, high], as a share of `weight`, of the law transformed back into `work`.
std::shared_ptr<std::vector<double>> cdfOf(Spectrum& work, qint64 low, qint64 high, double weight)
{
    auto cdf = std::make_shared<std::vector<double>>();
    cdf->reserve(static_cast<size_t>(high - low + 1));
    double sum = 0;
    for (qint64 x = low; x <= high; ++x) {
        // Round-off leaves tiny negative values where the law is 0.
        sum += std::max(0.0, work[static_cast<size_t>(x) % work.size()].real());
        cdf->push_back(std::min(1.0, sum / weight));
    }
    return cdf;
}

} // namespace

bool TotalLaw::addGroups(const std::vector<Group>& groups)
{
    double mean = 0;
    std::vector<GroupOnGrid> grid = onCommonGrid(groups, m_step, mean);
    m_mean = mean;
    for (const GroupOnGrid& g : grid) {
        m_plays += g.plays;
        m_max += static_cast<qint64>(g.plays) * g.full.largest() * m_step;
    }
    const Plan plan = setTopsApart(grid);
    if (!plan.fits())
        return false;
    const LogTransforms logs = logTransforms(grid, plan.size);
    Spectrum work(plan.size);
    Transform inverse(work, FFTW_BACKWARD);
    // One piece for each total the rare plays add, all the ways of making it summed before the
    // transform back.
    for (const auto& [shift, atShift] : plan.combinations) {
        std::fill(work.begin(), work.end(), Complex());
        const double weight = addCombinations(logs, atShift, work);
        inverse.run(true);
        m_pieces.push_back({weight, shift, plan.low, cdfOf(work, plan.low, plan.high, weight)});
    }
    return true;
}
