// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "analyses/RecordRule.h"
#include "analyses/WalkChunk.h"

#include <QStringList>

#include <vector>

namespace CombinationEngine {

// The lines of the chunks, kept in walk order by the record rule.
class RecordMerge {
public:
    explicit RecordMerge(const RecordRule& rule) : m_rule(rule), m_record(rule.initial) { }
    void add(const std::vector<WalkChunk::Candidate>& candidates)
    {
        for (const WalkChunk::Candidate& c : candidates) {
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

} // namespace CombinationEngine
