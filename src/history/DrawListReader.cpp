// SPDX-License-Identifier: GPL-3.0-or-later
#include "history/DrawListReader.h"

#include <QDate>
#include <algorithm>
#include <cstring>

namespace {

bool isAsciiSpace(char c)
{
    return c == ' ' || (c >= '\t' && c <= '\r');
}

} // namespace

const Formula& DrawListReader::formulaOf(const DrawList::Item& item)
{
    const Formula& current = Formula::current();
    return item.drawn == current.drawn ? current : Formula::classic();
}

namespace {

QString gameLabel(FormulaId id)
{
    return QStringLiteral("Keno ") + Formula::get(id).shortLabel();
}

} // namespace

bool DrawListReader::recordIsDraw(const DrawList::Item& item)
{
    if (!QDate::isValid(item.year, item.month, item.day))
        return false;
    const int highest = formulaOf(item).numbers;
    // Without branches: a number outside the game's or met twice spoils the line.
    std::uint64_t low = 0, high = 0;
    bool bad = false;
    for (int k = 0; k < item.drawn; ++k) {
        const std::uint8_t n = item.numbers[k];
        const std::uint64_t bit = std::uint64_t{1} << (n & 63);
        std::uint64_t& half = n < 64 ? low : high;
        bad |= (n < 1) | (n > highest) | ((half & bit) != 0);
        half |= bit;
    }
    return !bad;
}

void DrawListReader::noteDraw(FormulaId id, int lineNo)
{
    int& first = m_firstDrawLine[static_cast<size_t>(id)];
    if (first == 0 || lineNo < first)
        first = lineNo;
}

void DrawListReader::feed(QByteArrayView bytes)
{
    if (!m_started) {
        // The byte-order mark may itself be split over two pieces.
        m_partial.append(bytes.data(), bytes.size());
        if (m_partial.size() < 3 && QByteArrayView("\xEF\xBB\xBF").startsWith(m_partial))
            return;
        m_started = true;
        if (m_partial.startsWith("\xEF\xBB\xBF"))
            m_partial.remove(0, 3);
        const QByteArray first = std::exchange(m_partial, QByteArray());
        feed(first);
        return;
    }
    const char* p = bytes.data();
    const char* end = p + bytes.size();
    while (p < end) {
        const char* nl = static_cast<const char*>(std::memchr(p, '\n', static_cast<size_t>(end - p)));
        if (!nl) {
            m_partial.append(p, end - p);
            return;
        }
        if (!m_partial.isEmpty()) {
            m_partial.append(p, nl - p);
            const QByteArray line = std::exchange(m_partial, QByteArray());
            takeLine(line.constData(), line.size(), false);
        } else {
            takeLine(p, nl - p, false);
        }
        p = nl + 1;
    }
}

void DrawListReader::takeLine(const char* data, qsizetype size, bool last)
{
    ++m_lineNo;
    if (size > 0 && data[size - 1] == '\r')
        --size;
    if (size <= DrawLine::kLength) {
        const char* line = data;
        char replaced[DrawLine::kLength];
        if (std::memchr(data, ';', static_cast<size_t>(size))) {
            for (qsizetype j = 0; j < size; ++j)
                replaced[j] = data[j] == ';' ? ' ' : data[j];
            line = replaced;
        }
        DrawList::Item item;
        if (DrawList::parseRecord(line, size, item)) {
            m_list.m_items.push_back(item);
            if (!recordIsDraw(item))
                m_odd.push_back({m_lineNo, m_list.drawCount() - 1, Odd::Record, last});
            else
                noteDraw(formulaOf(item).id, m_lineNo);
            return;
        }
    }
    bool ascii = true, blank = true;
    for (qsizetype j = 0; j < size; ++j) {
        const auto c = static_cast<unsigned char>(data[j]);
        ascii = ascii && c < 0x80;
        blank = blank && isAsciiSpace(static_cast<char>(c));
    }
    if (blank) {
        // An empty line would pose as the end of the list; the end of the file is no line.
        if (!last)
            m_odd.push_back({m_lineNo, -1, Odd::Blank, false});
        return;
    }
    QByteArray bytes(data, size);
    const bool semicolons = bytes.contains(';');
    bytes.replace(';', ' ');
    if (!ascii && m_utf8)
        m_utf8 = QByteArrayView(bytes).isValidUtf8();
    m_list.appendText(std::move(bytes), DrawList::TextSource::Utf8File);
    m_odd.push_back({m_lineNo, m_list.drawCount() - 1, Odd::Text, last, !ascii && !semicolons});
}

void DrawListReader::decideFormula()
{
    // Lines held as text may be draws all the same (a blank for a leading zero).
    for (const OddLine& odd : m_odd)
        if (odd.kind == Odd::Text)
            if (const auto id = DrawList::drawFormula(m_list.text(odd.item)))
                noteDraw(*id, odd.lineNo);
    FormulaId game = m_expected.value_or(FormulaId::Keno20of70);
    if (!m_expected) {
        int earliest = 0;
        for (FormulaId id : Formula::all()) {
            const int line = m_firstDrawLine[static_cast<size_t>(id)];
            if (line > 0 && (earliest == 0 || line < earliest))
                earliest = line, game = id;
        }
    }
    m_list.setFormula(game);
    for (FormulaId id : Formula::all()) {
        const int line = m_firstDrawLine[static_cast<size_t>(id)];
        if (id == game || line == 0)
            continue;
        m_refusal = QStringLiteral("la ligne %1 est un tirage du %2, ").arg(line).arg(gameLabel(id));
        const int own = m_firstDrawLine[static_cast<size_t>(game)];
        m_refusal += m_expected || own == 0 ? QStringLiteral("pas du %1").arg(gameLabel(game))
                                            : QStringLiteral("la ligne %1 un tirage du %2").arg(own).arg(gameLabel(game));
        return;
    }
}

void DrawListReader::describeOddLines()
{
    std::vector<bool> drop;
    for (const OddLine& odd : m_odd) {
        QString why;
        if (odd.kind == Odd::Blank) {
            why = QStringLiteral("ligne vide ignorée");
        } else {
            const QString text = m_list.text(odd.item);
            // A line is blank as read, before its ';' become spaces.
            if (odd.mayBeBlank && text.trimmed().isEmpty()) {
                // Blank only in the file's encoding (no-break spaces...): dropped like the others.
                if (drop.empty())
                    drop.assign(static_cast<size_t>(m_list.drawCount()), false);
                drop[static_cast<size_t>(odd.item)] = true;
                if (odd.last)
                    continue;
                why = QStringLiteral("ligne vide ignorée");
            } else if (const auto problem = DrawLine::problem(text, m_list.formula())) {
                why = *problem;
            } else {
                continue; // held as text, yet a draw (a blank for a leading zero)
            }
        }
        ++m_badLines;
        if (m_problems.size() < kProblemsShown)
            m_problems << QStringLiteral("ligne %1 : %2").arg(odd.lineNo).arg(why);
    }
    if (drop.empty())
        return;
    DrawList kept;
    kept.reserve(m_list.drawCount());
    kept.setFormula(m_list.formulaId());
    for (int i = 0; i < m_list.drawCount(); ++i)
        if (!drop[static_cast<size_t>(i)])
            kept.append(m_list, i);
    m_list = std::move(kept);
}

DrawList DrawListReader::finish()
{
    if (!m_started) {
        m_started = true;
        const QByteArray first = std::exchange(m_partial, QByteArray());
        feed(first);
    }
    const QByteArray rest = std::exchange(m_partial, QByteArray());
    takeLine(rest.constData(), rest.size(), true);

    if (!m_utf8)
        for (auto& t : m_list.m_texts)
            t.source = DrawList::TextSource::Windows1252File;

    decideFormula();
    if (m_refusal.isEmpty()) {
        describeOddLines();
    } else {
        // Half a history of each game is no history of either: nothing of it is kept.
        const FormulaId game = m_list.formulaId();
        m_list = DrawList();
        m_list.setFormula(game);
    }
    m_odd.clear();
    return std::exchange(m_list, DrawList());
}
