// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/History.h"

History::History()
{
    m_list.setFormula(m_formula);
    m_matrix.rebuild(m_list);
}

QString History::itemDate(int index) const
{
    if (index < 0 || index >= m_list.drawCount())
        return {};
    return m_list.dateText(index);
}

int History::multiplierOf(int index) const
{
    if (index < 0 || index >= m_list.drawCount())
        return 0;
    return m_multipliers.of(m_list.date(index), m_list.slotIndex(index)).value_or(0);
}

void History::playGame(FormulaId id)
{
    // Nothing of the other game's list may stay in sight, nor be written into this game's file.
    m_formula = id;
    setDraws(DrawList{});
    m_hidden.clear();
    m_multipliers = Multipliers{};
    m_origin = ListOrigin::Working;
    m_unsavedCorrection = false;
    m_replacedLines.clear();
    m_conflictPath.clear();
    m_conflictDigest.clear();
}

void History::setDraws(DrawList draws)
{
    m_list = std::move(draws);
    m_list.setFormula(m_formula);
    m_matrix.rebuild(m_list);
    changed();
}

void History::loaded(DrawList draws, const QByteArray& digest, bool digestKnown)
{
    m_unreadHistory.clear();
    setDraws(std::move(draws));
    m_selected = itemCount() - 1;
    m_hidden.clear();
    m_unsavedCorrection = false;
    m_replacedLines.clear();
    if (digestKnown) {
        m_workingDigest = digest;
        m_workingDigestKnown = true;
    }
}

void History::filter(const DrawList& complete, DrawList kept)
{
    m_hidden = complete;
    m_origin = ListOrigin::Filtered;
    setDraws(std::move(kept));
}

void History::grow(DrawList complete)
{
    if (m_origin == ListOrigin::Filtered)
        m_hidden = std::move(complete);
    else
        setDraws(std::move(complete));
}

void History::enterDraw(int index, const QString& line, const std::array<bool, Formula::kMaxNumber + 1>& ticked)
{
    const bool adding = index == itemCount() - 1;
    // The trailing empty item moves down with a draw added: one more column.
    m_matrix.resize(adding ? itemCount() + 2 : itemCount() + 1);
    for (int n = 1; n <= game().numbers; ++n)
        m_matrix.set(n, index, ticked[static_cast<size_t>(n)]);
    m_matrix.set(0, index, false);
    if (adding) {
        m_list.append(line);
    } else {
        // The player's own correction: the save may drop the line it replaces.
        if (!lineText(index).isEmpty() && lineText(index) != line)
            m_replacedLines.insert(lineText(index));
        m_list.replace(index, line);
    }
    m_editOldest = false;
    m_unsavedCorrection = true;
    changed();
}

void History::written(const QByteArray& digest)
{
    m_workingDigest = digest;
    m_workingDigestKnown = true;
    m_replacedLines.clear();
    if (m_origin == ListOrigin::BaseWithArchive)
        m_origin = ListOrigin::Working;
}

void History::workingFileRewritten(const QByteArray& before, const QByteArray& after)
{
    // Only a file this list was read from: any other change stays one to look at before a save.
    if (workingFileIs(before))
        m_workingDigest = after;
}

void History::keptBeside(const QString& path, const QByteArray& digest)
{
    m_conflictPath = path;
    m_conflictDigest = digest;
}
