// SPDX-License-Identifier: GPL-3.0-or-later
#include "history/Multipliers.h"

#include <algorithm>

std::optional<int> Multipliers::of(const QDate& day, int slot) const
{
    const auto it = m_values.find(keyOf(day, slot));
    if (it == m_values.end())
        return std::nullopt;
    return it->second;
}

void Multipliers::set(const QDate& day, int slot, int multiplier)
{
    m_values[keyOf(day, slot)] = multiplier;
    m_removed.erase(keyOf(day, slot));
}

void Multipliers::remove(const QDate& day, int slot)
{
    m_values.erase(keyOf(day, slot));
    m_removed.insert(keyOf(day, slot));
}

void Multipliers::applyTo(Multipliers& base) const
{
    for (const auto& [key, value] : m_values) {
        base.m_values[key] = value;
        base.m_removed.erase(key);
    }
    for (const qint64 key : m_removed)
        base.m_values.erase(key);
}

void Multipliers::fill(const Multipliers& other)
{
    for (const auto& [key, value] : other.m_values)
        if (m_values.try_emplace(key, value).second)
            m_removed.erase(key);
}

template <typename Known> void Multipliers::eachKnown(const DrawList& list, Known known) const
{
    if (m_values.empty())
        return;
    for (int i = 0; i < list.drawCount(); ++i) {
        const QDate day = list.date(i);
        const int slot = list.slotIndex(i);
        if (day.isValid() && slot >= 0)
            if (const std::optional<int> m = of(day, slot))
                known(i, day, slot, *m);
    }
}

std::vector<int> Multipliers::forItems(const DrawList& list) const
{
    std::vector<int> result(static_cast<size_t>(list.itemCount()), 0);
    eachKnown(list, [&result](int item, const QDate&, int, int m) { result[static_cast<size_t>(item)] = m; });
    return result;
}

Multipliers Multipliers::keptFor(const DrawList& list) const
{
    Multipliers kept;
    eachKnown(list, [&kept](int, const QDate& day, int slot, int m) { kept.set(day, slot, m); });
    if (m_removed.empty())
        return kept;
    for (int i = 0; i < list.drawCount(); ++i) {
        const qint64 key = keyOf(list.date(i), list.slotIndex(i));
        if (list.date(i).isValid() && list.slotIndex(i) >= 0 && m_removed.count(key) != 0)
            kept.m_removed.insert(key);
    }
    return kept;
}

std::map<int, int> Multipliers::frequencies(const std::vector<int>& perItem, int first, int last)
{
    std::map<int, int> counts;
    for (int i = std::max(first, 0); i <= last && i < static_cast<int>(perItem.size()); ++i)
        if (perItem[static_cast<size_t>(i)] > 0)
            ++counts[perItem[static_cast<size_t>(i)]];
    return counts;
}

std::vector<Multipliers::Entry> Multipliers::entries() const
{
    std::vector<Entry> result;
    result.reserve(m_values.size());
    for (const auto& [key, value] : m_values)
        result.push_back({QDate::fromJulianDay(key / 4), static_cast<int>(key % 4), value});
    return result;
}
