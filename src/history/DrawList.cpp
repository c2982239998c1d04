// SPDX-License-Identifier: GPL-3.0-or-later
#include "history/DrawList.h"

#include "output/TextFile.h"

#include <QStringEncoder>
#include <cstring>

namespace {

constexpr int kDigitAt[] = {0, 1, 3, 4, 6, 7, 8, 9};

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

int twoDigits(const char* p)
{
    return (p[0] - '0') * 10 + (p[1] - '0');
}

// The numbers drawn by the game whose lines are `size` characters long; 0 for no game's length.
int drawnOfLength(qsizetype size)
{
    for (FormulaId id : Formula::all())
        if (size == Formula::get(id).lineLength())
            return Formula::get(id).drawn;
    return 0;
}

void putTwoDigits(char* out, int v)
{
    out[0] = static_cast<char>('0' + v / 10);
    out[1] = static_cast<char>('0' + v % 10);
}

} // namespace

bool DrawList::parseRecord(const char* line, qsizetype size, Item& item)
{
    const int drawn = drawnOfLength(size);
    if (drawn == 0 || line[2] != '/' || line[5] != '/')
        return false;
    for (int at : kDigitAt)
        if (!isDigit(line[at]))
            return false;
    for (int k = 0; k < drawn; ++k) {
        const char* field = line + 10 + 3 * k;
        if (field[0] != ' ' || !isDigit(field[1]) || !isDigit(field[2]))
            return false;
        item.numbers[k] = static_cast<std::uint8_t>(twoDigits(field + 1));
    }
    const char* slot = line + 10 + 3 * drawn;
    if (std::memcmp(slot, " midi", 5) == 0)
        item.kind = Midi;
    else if (std::memcmp(slot, " soir", 5) == 0)
        item.kind = Soir;
    else
        return false;
    item.drawn = static_cast<std::uint8_t>(drawn);
    item.day = static_cast<std::uint8_t>(twoDigits(line));
    item.month = static_cast<std::uint8_t>(twoDigits(line + 3));
    item.year = static_cast<std::uint16_t>(twoDigits(line + 6) * 100 + twoDigits(line + 8));
    item.textIndex = 0;
    return true;
}

void DrawList::writeRecord(const Item& item, char* out)
{
    putTwoDigits(out, item.day);
    out[2] = '/';
    putTwoDigits(out + 3, item.month);
    out[5] = '/';
    putTwoDigits(out + 6, item.year / 100);
    putTwoDigits(out + 8, item.year % 100);
    for (int k = 0; k < item.drawn; ++k) {
        out[10 + 3 * k] = ' ';
        putTwoDigits(out + 11 + 3 * k, item.numbers[k]);
    }
    std::memcpy(out + 10 + 3 * item.drawn, item.kind == Midi ? " midi" : " soir", 5);
}

QString DrawList::itemText(const Item& item) const
{
    if (item.kind != Text) {
        char bytes[DrawLine::kLength];
        writeRecord(item, bytes);
        return QString::fromLatin1(bytes, recordLength(item));
    }
    const TextItem& t = m_texts[item.textIndex];
    return t.source == TextSource::Windows1252File ? TextFile::decodeWindows1252(t.bytes) : QString::fromUtf8(t.bytes);
}

DrawList::Item DrawList::makeItem(const QString& line)
{
    Item item;
    if (drawnOfLength(line.size()) > 0) {
        char bytes[DrawLine::kLength];
        bool ascii = true;
        for (qsizetype j = 0; j < line.size() && ascii; ++j) {
            const char16_t c = line[j].unicode();
            ascii = c < 0x80;
            bytes[j] = static_cast<char>(c);
        }
        if (ascii && parseRecord(bytes, line.size(), item))
            return item;
    }
    item = Item{};
    item.kind = Text;
    item.textIndex = static_cast<std::uint32_t>(m_texts.size());
    m_texts.push_back({line.toUtf8(), TextSource::Program});
    return item;
}

void DrawList::appendText(QByteArray bytes, TextSource source)
{
    Item item;
    item.kind = Text;
    item.textIndex = static_cast<std::uint32_t>(m_texts.size());
    m_texts.push_back({std::move(bytes), source});
    m_items.push_back(item);
}

DrawList DrawList::fromLines(const QStringList& lines)
{
    DrawList list;
    qsizetype n = lines.size();
    if (n > 0 && lines.last().isEmpty())
        --n;
    list.reserve(static_cast<int>(n));
    std::optional<FormulaId> formula;
    for (qsizetype i = 0; i < n; ++i) {
        list.append(lines[i]);
        if (!formula)
            formula = drawFormula(lines[i]);
    }
    list.setFormula(formula.value_or(FormulaId::Keno20of70));
    return list;
}

std::optional<FormulaId> DrawList::drawFormula(QStringView line)
{
    const std::optional<FormulaId> id = Formula::ofLine(line);
    if (id && !DrawLine::problem(line, Formula::get(*id)))
        return id;
    return std::nullopt;
}

QString DrawList::text(int i) const
{
    if (i < 0 || i >= drawCount())
        return {};
    return itemText(m_items[static_cast<size_t>(i)]);
}

QString DrawList::dateText(int i) const
{
    if (i < 0 || i >= drawCount())
        return {};
    const Item& item = m_items[static_cast<size_t>(i)];
    if (item.kind == Text)
        return text(i).left(10);
    char bytes[DrawLine::kLength];
    writeRecord(item, bytes);
    return QString::fromLatin1(bytes, 10);
}

QDate DrawList::date(int i) const
{
    if (i < 0 || i >= drawCount())
        return {};
    const Item& item = m_items[static_cast<size_t>(i)];
    if (item.kind == Text)
        return DrawLine::date(text(i));
    return QDate(item.year, item.month, item.day);
}

int DrawList::number(int i, int k) const
{
    if (i < 0 || i >= drawCount() || k < 1 || k > DrawLine::kNumbers)
        return 0;
    const Item& item = m_items[static_cast<size_t>(i)];
    if (item.kind == Text)
        return DrawLine::number(text(i), k);
    return k <= item.drawn ? item.numbers[k - 1] : 0;
}

DrawLine::Numbers DrawList::numbers(int i) const
{
    DrawLine::Numbers out = DrawLine::Numbers::of(formula());
    if (i < 0 || i >= drawCount())
        return out;
    const Item& item = m_items[static_cast<size_t>(i)];
    if (item.kind == Text) {
        const QString line = text(i);
        for (int k = 1; k <= out.count; ++k)
            out[static_cast<size_t>(k - 1)] = DrawLine::number(line, k);
    } else {
        out.count = item.drawn;
        for (int k = 0; k < item.drawn; ++k)
            out[static_cast<size_t>(k)] = item.numbers[k];
    }
    return out;
}

bool DrawList::endsWithSoir(int i) const
{
    if (i < 0 || i >= drawCount())
        return false;
    const Item& item = m_items[static_cast<size_t>(i)];
    return item.kind == Text ? DrawLine::endsWithSoir(text(i)) : item.kind == Soir;
}

bool DrawList::endsWithSpaceMidi(int i) const
{
    if (i < 0 || i >= drawCount())
        return false;
    const Item& item = m_items[static_cast<size_t>(i)];
    return item.kind == Text ? DrawLine::endsWithSpaceMidi(text(i)) : item.kind == Midi;
}

bool DrawList::isMiddayByChar(int i) const
{
    if (i < 0 || i >= drawCount())
        return false;
    const Item& item = m_items[static_cast<size_t>(i)];
    return item.kind == Text ? DrawLine::isMiddayByChar(text(i)) : item.kind == Midi;
}

int DrawList::slotIndex(int i) const
{
    if (i < 0 || i >= drawCount())
        return formula().slotCount() - 1;
    const Item& item = m_items[static_cast<size_t>(i)];
    if (item.kind == Text)
        return DrawLine::slotIndex(text(i), formula());
    const int slot = formula().slotIndex(item.kind == Midi ? u"midi" : u"soir");
    return slot >= 0 ? slot : formula().slotCount() - 1;
}

bool DrawList::isRecord(int i) const
{
    return i >= 0 && i < drawCount() && m_items[static_cast<size_t>(i)].kind != Text;
}

void DrawList::append(const QString& line)
{
    const Item item = makeItem(line);
    m_items.push_back(item);
}

void DrawList::append(const DrawList& other, int i)
{
    if (i < 0 || i >= other.drawCount())
        return;
    Item item = other.m_items[static_cast<size_t>(i)];
    if (item.kind == Text) {
        const TextItem& t = other.m_texts[item.textIndex];
        item.textIndex = static_cast<std::uint32_t>(m_texts.size());
        m_texts.push_back(t);
    }
    m_items.push_back(item);
}

void DrawList::replace(int i, const QString& line)
{
    if (i < 0 || i >= drawCount())
        return;
    Item& old = m_items[static_cast<size_t>(i)];
    // A text slot is reused by a text line, and emptied when the line becomes a record.
    const bool oldText = old.kind == Text;
    const std::uint32_t oldIndex = old.textIndex;
    Item item = makeItem(line);
    if (item.kind == Text && oldText) {
        m_texts[oldIndex] = std::move(m_texts.back());
        m_texts.pop_back();
        item.textIndex = oldIndex;
    } else if (oldText) {
        m_texts[oldIndex].bytes = QByteArray();
    }
    m_items[static_cast<size_t>(i)] = item;
}

QString DrawList::takeLast()
{
    if (m_items.empty())
        return {};
    const QString last = text(drawCount() - 1);
    const Item item = m_items.back();
    m_items.pop_back();
    if (item.kind == Text && item.textIndex + 1 == m_texts.size())
        m_texts.pop_back();
    return last;
}

void DrawList::clear()
{
    m_items.clear();
    m_texts.clear();
}

void DrawList::reserve(int draws)
{
    if (draws > 0)
        m_items.reserve(static_cast<size_t>(draws));
}

QStringList DrawList::toStringList() const
{
    QStringList lines;
    lines.reserve(drawCount());
    for (const Item& item : m_items)
        lines << itemText(item);
    return lines;
}

QByteArray DrawList::toCrlfBytes() const
{
    qsizetype size = 0;
    for (const Item& item : m_items)
        size += (item.kind == Text ? m_texts[item.textIndex].bytes.size() : recordLength(item)) + 2;
    QByteArray bytes;
    bytes.reserve(size);
    char record[DrawLine::kLength];
    QStringEncoder system(QStringConverter::System);
    for (const Item& item : m_items) {
        if (item.kind != Text) {
            writeRecord(item, record);
            bytes.append(record, recordLength(item));
        } else {
            const TextItem& t = m_texts[item.textIndex];
            if (t.bytes.isEmpty())
                continue; // an empty line in the file would end the list early
            if (t.source == TextSource::Program)
                bytes.append(system.encode(QString::fromUtf8(t.bytes)));
            else
                bytes.append(t.bytes);
        }
        bytes.append("\r\n", 2);
    }
    return bytes;
}

bool DrawList::operator==(const DrawList& other) const
{
    if (drawCount() != other.drawCount())
        return false;
    for (size_t i = 0; i < m_items.size(); ++i) {
        const Item& a = m_items[i];
        const Item& b = other.m_items[i];
        if (a.kind != Text && b.kind != Text) {
            if (a.kind != b.kind || a.year != b.year || a.day != b.day || a.month != b.month || a.drawn != b.drawn
                || std::memcmp(a.numbers, b.numbers, sizeof a.numbers) != 0)
                return false;
        } else if (a.kind != Text || b.kind != Text || itemText(a) != other.itemText(b)) {
            // A record and a text line never have the same text: the text would have been a record.
            return false;
        }
    }
    return true;
}
