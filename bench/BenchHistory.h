// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The generated history the benchmarks share: 32,766 draws, the longest the old limits allowed.
#include "history/DemoHistory.h"
#include "history/DrawMatrix.h"
#include "history/StudyPeriod.h"

#include <QDate>
#include <QStringList>
#include <numeric>
#include <random>
#include <vector>

namespace BenchHistory {

constexpr int kDraws = 32766;

struct Fixture {
    QStringList list; // the draws, then the trailing empty item
    DrawMatrix matrix;
    StudyPeriod period;
};

inline const Fixture& fixture()
{
    static const Fixture f = [] {
        Fixture x;
        x.list = DemoHistory::generate(QDate(2040, 1, 1)).mid(0, kDraws);
        x.list << QString();
        x.matrix.rebuild(x.list);
        x.period = StudyPeriod{0, kDraws - 1};
        return x;
    }();
    return f;
}

// The sixteen-of-fifty-six game: 5,000 draws of sixteen numbers, each equally likely (seeded),
// marked straight into a matrix of that game.
constexpr int kNewGameDraws = 5000;

inline const Fixture& newGameFixture()
{
    static const Fixture f = [] {
        const Formula& game = Formula::current();
        Fixture x;
        x.matrix.setFormula(game.id);
        x.matrix.resize(kNewGameDraws + 1);
        std::mt19937 rng(56);
        std::vector<int> pool(static_cast<size_t>(game.numbers));
        for (int d = 0; d < kNewGameDraws; ++d) {
            std::iota(pool.begin(), pool.end(), 1);
            for (int k = 0; k < game.drawn; ++k) {
                std::uniform_int_distribution<int> pick(k, game.numbers - 1);
                std::swap(pool[static_cast<size_t>(k)], pool[static_cast<size_t>(pick(rng))]);
                x.matrix.set(pool[static_cast<size_t>(k)], d, true);
            }
        }
        x.period = StudyPeriod{0, kNewGameDraws - 1};
        return x;
    }();
    return f;
}

} // namespace BenchHistory
