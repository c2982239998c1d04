// SPDX-License-Identifier: GPL-3.0-or-later
#include "history/MultiplierFile.h"

#include "history/DateText.h"
#include "history/HistoryFile.h"
#include "output/TextFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <algorithm>

namespace MultiplierFile {

QString pathBeside(const QString& historyPath, FormulaId id)
{
    return HistoryFile::locate(QFileInfo(historyPath).absolutePath(), Formula::get(id).multiplierFile);
}

namespace {

// Far beyond one line a draw for every draw since 1993.
constexpr qint64 kLargest = qint64{4} * 1024 * 1024;

QString shown(const QString& path)
{
    return path.isEmpty() ? QStringLiteral("des multiplicateurs") : QStringLiteral("« %1 »").arg(QDir::toNativeSeparators(path));
}

ReadResult unused(const QString& path, const QString& why)
{
    ReadResult result;
    result.found = true;
    result.failed = true;
    result.notice = QStringLiteral("Le fichier %1 n'est pas utilisé : %2. Les multiplicateurs des tirages ne sont pas connus "
                                   "; l'historique est lu sans eux et ce fichier est gardé tel quel.")
                        .arg(shown(path), why);
    return result;
}

// Why `line` is no "dd/mm/yyyy soir x3" of the game; empty when it is one.
QString lineProblem(const QString& line, const Formula& game, QDate* day, int* slot, int* multiplier)
{
    const QStringList fields = line.split(QLatin1Char(' '));
    if (fields.size() != 3)
        return QStringLiteral("« date moment xN » attendu");
    *day = DateText::parse(fields[0]);
    if (!day->isValid() || !game.ranOn(*day))
        return QStringLiteral("la date « %1 » n'est pas un jour de tirage du Keno %2").arg(fields[0], game.shortLabel());
    *slot = game.slotIndex(fields[1]);
    if (*slot < 0)
        return QStringLiteral("« %1 » n'est pas un moment de tirage du Keno %2").arg(fields[1], game.shortLabel());
    bool number = false;
    *multiplier = fields[2].startsWith(QLatin1Char('x')) ? fields[2].mid(1).toInt(&number) : 0;
    if (!number || !allowed(*multiplier))
        return QStringLiteral("« %1 » n'est pas un multiplicateur de x%2 à x%3").arg(fields[2]).arg(kLeast).arg(kMost);
    return {};
}

} // namespace

ReadResult parse(QByteArrayView bytes, FormulaId id, const QString& path)
{
    const Formula& game = Formula::get(id);
    const QStringList lines = QString::fromUtf8(bytes).split(QLatin1Char('\n'));
    ReadResult result;
    result.found = true;
    for (int i = 0; i < lines.size(); ++i) {
        QString line = lines[i];
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
        if (line.isEmpty() && i == lines.size() - 1)
            break;
        QDate day;
        int slot = 0;
        int multiplier = 0;
        if (const QString why = lineProblem(line, game, &day, &slot, &multiplier); !why.isEmpty())
            return unused(path, QStringLiteral("ligne %1 : %2").arg(i + 1).arg(why));
        if (result.values.of(day, slot))
            return unused(path, QStringLiteral("ligne %1 : le tirage du %2 y est déjà").arg(i + 1).arg(line.left(10)));
        result.values.set(day, slot, multiplier);
    }
    return result;
}

ReadResult read(const QString& path, FormulaId id)
{
    QFile file(path);
    if (!file.exists())
        return {};
    QString why;
    QByteArray bytes;
    if (!file.open(QIODevice::ReadOnly))
        why = TextFile::reason(file);
    else if (file.size() > kLargest)
        why = QStringLiteral("il est trop grand");
    else if (!TextFile::readToEnd(file, &bytes, &why))
        why = QStringLiteral("il n'a pas pu être lu jusqu'au bout (%1)").arg(why);
    if (!why.isEmpty())
        return unused(path, why);
    return parse(bytes, id, path);
}

bool keyOfLine(const QString& line, QDate* day, int* slot)
{
    const std::optional<FormulaId> id = Formula::ofLine(line);
    if (!id)
        return false;
    *day = DateText::parse(line.left(10));
    *slot = Formula::get(*id).slotIndex(QStringView(line).mid(line.lastIndexOf(QLatin1Char(' ')) + 1));
    return day->isValid() && *slot >= 0;
}

Multipliers onlyOf(const Multipliers& values, const DrawList& history)
{
    return values.keptFor(history);
}

QByteArray bytesOf(const Multipliers& values, const DrawList& history)
{
    const Formula& game = history.formula();
    QByteArray bytes;
    for (const Multipliers::Entry& e : onlyOf(values, history).entries())
        bytes += QStringLiteral("%1 %2 x%3\r\n")
                     .arg(DateText::format(e.day), game.drawSlots[static_cast<size_t>(e.slot)].word)
                     .arg(e.multiplier)
                     .toUtf8();
    return bytes;
}

bool holds(const QString& path, FormulaId id, const Multipliers& values)
{
    if (values.isEmpty() && !values.hasRemovals())
        return true;
    const ReadResult onDisk = read(path, id);
    if (onDisk.failed)
        return true;
    Multipliers wanted = onDisk.values;
    values.applyTo(wanted);
    return wanted == onDisk.values;
}

void take(Multipliers& values, const QStringList& lines, const QList<std::optional<int>>& multipliers)
{
    for (qsizetype i = 0; i < lines.size() && i < multipliers.size(); ++i) {
        QDate day;
        int slot = 0;
        if (multipliers[i] && allowed(*multipliers[i]) && keyOfLine(lines[i], &day, &slot))
            values.set(day, slot, *multipliers[i]);
    }
}

namespace {

// What the file holds for the draws of the history on disk: a line left by a write stopped
// before its history followed belongs to no draw, and must not pass to one added later.
Multipliers keptOnDisk(const Multipliers& values, const QString& historyPath, FormulaId id)
{
    if (values.isEmpty())
        return values;
    const HistoryFile::ListReadResult old = HistoryFile::readList(historyPath, id);
    return old.failed ? values : onlyOf(values, old.list);
}

} // namespace

bool writeWithHistory(const QString& historyPath, const DrawList& history, const QByteArray& historyBytes,
                      const Multipliers& values, QString* error, const Multipliers& fills)
{
    const QString path = pathBeside(historyPath, history.formulaId());
    ReadResult onDisk = read(path, history.formulaId());
    // A file that cannot be read is the player's to mend: it is never written over.
    if (onDisk.failed)
        return TextFile::writeAtomic(historyPath, historyBytes, error);
    Multipliers merged = keptOnDisk(onDisk.values, historyPath, history.formulaId());
    values.applyTo(merged);
    merged.fill(fills);
    const QByteArray bytes = bytesOf(merged, history);
    if (bytes.isEmpty() && !onDisk.found)
        return TextFile::writeAtomic(historyPath, historyBytes, error);
    // The multipliers go first: a stop between the two leaves only some the history lacks.
    return TextFile::writeAtomicPair(path, bytes, historyPath, historyBytes, error);
}

QString pathBesideCopy(const QString& copyPath)
{
    const QFileInfo copy(copyPath);
    return copy.dir().filePath(copy.completeBaseName() + QStringLiteral(".multiplicateurs.txt"));
}

bool writeCopy(const QString& copyPath, const DrawList& history, const Multipliers& values, QString* error, bool* withMultipliers)
{
    const QString path = pathBesideCopy(copyPath);
    const QByteArray bytes = bytesOf(values, history);
    // A file left by an earlier copy under the same name is replaced too, never left out of step.
    *withMultipliers = !bytes.isEmpty() || QFileInfo::exists(path);
    if (!*withMultipliers)
        return TextFile::writeAtomic(copyPath, history.toCrlfBytes(), error);
    return TextFile::writeAtomicPair(path, bytes, copyPath, history.toCrlfBytes(), error);
}

bool addMissing(const QString& historyPath, FormulaId id, const Multipliers& values, QString* error)
{
    if (values.isEmpty())
        return true;
    const QString path = pathBeside(historyPath, id);
    const ReadResult onDisk = read(path, id);
    const HistoryFile::ListReadResult history = HistoryFile::readList(historyPath, id);
    // The file is the player's to mend; a history not read whole does not say which draws are its.
    if (onDisk.failed || !history.found)
        return true;
    const Multipliers before = onlyOf(onDisk.values, history.list);
    Multipliers merged = before;
    merged.fill(values);
    merged = onlyOf(merged, history.list);
    if (merged == before)
        return true;
    return TextFile::writeAtomic(path, bytesOf(merged, history.list), error);
}

} // namespace MultiplierFile
