// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "history/DrawList.h"
#include "history/DrawMatrix.h"
#include "history/Formula.h"
#include "history/Multipliers.h"

#include <QByteArray>
#include <QSet>
#include <QString>
#include <QStringList>
#include <array>

// Where the draw list came from, which decides what a save may write.
enum class ListOrigin {
    Working, // the working history as read or as saved since
    BaseWithArchive, // the base history plus the archive, not yet saved
    Filtered, // the draws a calendar filter kept; the full history is held aside
};

// The draw list of the game played and everything that must stay in step with it: the matrix
// of its numbers, the line chosen, what a save may write. Only its own functions change it, so
// the matrix always has one column per item and one more, and every change of the list is
// counted (the window redraws on a new revision).
class History {
public:
    History();

    // ---- the game and its list
    FormulaId formulaId() const { return m_formula; }
    const Formula& game() const { return Formula::get(m_formula); }
    const DrawList& list() const { return m_list; }
    int itemCount() const { return m_list.itemCount(); }
    // The text of item `index` (empty for the trailing item or outside the list).
    QString lineText(int index) const { return m_list.text(index); }
    // The draws of the list as text, oldest first, without the trailing empty item.
    QStringList drawLines() const { return m_list.toStringList(); }
    // The first 10 characters of item `index`; empty outside the list.
    QString itemDate(int index) const;
    int revision() const { return m_revision; }
    const DrawMatrix& matrix() const { return m_matrix; }
    // Every draw the user has: the list, or, while a filter is active, the history it hides.
    const DrawList& fullHistory() const { return m_origin == ListOrigin::Filtered ? m_hidden : m_list; }
    ListOrigin origin() const { return m_origin; }

    // ---- the line chosen
    int selected() const { return m_selected; }
    bool editingOldest() const { return m_editOldest; }

    // ---- what a save may write
    bool unsavedCorrection() const { return m_unsavedCorrection; }
    const QSet<QString>& replacedLines() const { return m_replacedLines; }
    const QByteArray& workingDigest() const { return m_workingDigest; }
    bool workingDigestKnown() const { return m_workingDigestKnown; }
    // The working file as this program last read or wrote it is `digest`.
    bool workingFileIs(const QByteArray& digest) const { return m_workingDigestKnown && m_workingDigest == digest; }
    const QString& conflictPath() const { return m_conflictPath; }
    const QByteArray& conflictDigest() const { return m_conflictDigest; }
    // Why the last load failed; while set, nothing is written over the working history.
    const QString& unreadHistory() const { return m_unreadHistory; }
    // How many items the working history held when last read or written.
    int savedLineCount() const { return m_savedLineCount; }

    // The multiplier of the draws of both histories; kept in step with the list by every change
    // and every save of the history.
    const Multipliers& multipliers() const { return m_multipliers; }
    Multipliers& multipliers() { return m_multipliers; }
    // The multiplier of item `index`'s draw; 0 when none is known or the item is no draw.
    int multiplierOf(int index) const;

    // ---- changes
    // Another game: an empty list of it, nothing pending.
    void playGame(FormulaId id);
    // The same game read from other folders: the list it holds is replaced by the next load.
    void setGame(FormulaId id) { m_formula = id; }
    // Replaces the list by `draws`, of the game played, and rebuilds the matrix at once, so
    // nothing can read a matrix of the previous list. The selection is kept.
    void setDraws(DrawList draws);
    // The working history as read from disk (`digest` of its bytes, empty when there was
    // none; not known when the list is not the working history): the last line is chosen,
    // nothing is pending.
    void loaded(DrawList draws, const QByteArray& digest, bool digestKnown);
    // The last load failed for `why`: the list is kept as it was, nothing is written over the file.
    void loadFailed(const QString& why) { m_unreadHistory = why; }
    void setOrigin(ListOrigin origin) { m_origin = origin; }
    // A calendar filter kept `kept` of the whole history `complete`.
    void filter(const DrawList& complete, DrawList kept);
    // New draws added to the whole history: the list shows them, or, while a filter is
    // active, the history it hides holds them.
    void grow(DrawList complete);
    // The draw typed in at item `index` (the trailing item adds it) with the numbers `ticked`.
    void enterDraw(int index, const QString& line, const std::array<bool, Formula::kMaxNumber + 1>& ticked);
    void select(int index) { m_selected = index; }
    void setEditOldest(bool on) { m_editOldest = on; }
    // The list was written to the working history as `digest`.
    void written(const QByteArray& digest);
    // The correction not yet written is given up or saved: nothing is pending any more.
    void correctionSettled() { m_unsavedCorrection = false; }
    // The working history was rewritten from `before` to `after` by this program.
    void workingFileRewritten(const QByteArray& before, const QByteArray& after);
    void setSavedLineCount(int count) { m_savedLineCount = count; }
    // The list went to `path` beside a working history changed behind its back (`digest`).
    void keptBeside(const QString& path, const QByteArray& digest);

private:
    void changed() { ++m_revision; }

    FormulaId m_formula = FormulaId::Keno20of70;
    // The draw lines then the trailing empty item.
    DrawList m_list;
    int m_revision = 0;
    int m_selected = -1;
    DrawList m_hidden; // the full history while a filter is active
    ListOrigin m_origin = ListOrigin::Working;
    bool m_editOldest = false;
    // A correction in the middle of the list is written only by a later save.
    bool m_unsavedCorrection = false;
    // Lines of the working history the player corrected in the list since it was read or
    // written: the only lines a save may drop without asking.
    QSet<QString> m_replacedLines;
    QByteArray m_workingDigest;
    bool m_workingDigestKnown = false;
    QString m_conflictPath;
    QByteArray m_conflictDigest;
    QString m_unreadHistory;
    DrawMatrix m_matrix;
    int m_savedLineCount = 0;
    Multipliers m_multipliers;
};
