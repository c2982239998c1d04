// SPDX-License-Identifier: GPL-3.0-or-later
#include "history/PayTableText.h"

#include <QRegularExpression>
#include <QSet>

namespace PayTableText {

namespace {

const QString kUnknown = QStringLiteral("inconnu");

QString rowText(const PayTable& table, int k)
{
    QStringList fields;
    for (int m = 0; m <= k; ++m) {
        const std::optional<qint64> value = table.amount(k, m);
        fields << (value ? QString::number(*value) : QString());
    }
    return QString::number(k) + QLatin1Char('=') + fields.join(QLatin1Char(';'));
}

// Reads one row "k=…" into `table`; returns what is wrong with it, empty when it is right.
QString readRow(const QString& row, const Formula& game, QSet<int>& seen, PayTable& table)
{
    const qsizetype equals = row.indexOf(QLatin1Char('='));
    bool ok = false;
    const int k = equals < 0 ? 0 : row.left(equals).toInt(&ok);
    if (!ok || k < game.minTicked || k > game.maxTicked)
        return QStringLiteral("« %1 » ne commence pas par un nombre de numéros cochés de %2 à %3 suivi de « = »")
            .arg(row)
            .arg(game.minTicked)
            .arg(game.maxTicked);
    if (seen.contains(k))
        return QStringLiteral("la ligne des %1 numéros cochés est donnée deux fois").arg(k);
    seen.insert(k);
    const QStringList fields = row.mid(equals + 1).split(QLatin1Char(';'));
    if (fields.size() != k + 1)
        return QStringLiteral("« %1 » donne %2 montants au lieu de %3 (de 0 à %4 numéros trouvés)")
            .arg(row)
            .arg(fields.size())
            .arg(k + 1)
            .arg(k);
    for (int m = 0; m <= k; ++m) {
        const Amount a = amount(fields[m]);
        if (!a.ok)
            return QStringLiteral("« %1 » n'est pas un montant en euros entiers de 0 à %2 (%3 trouvés sur %4)")
                .arg(fields[m])
                .arg(kMaxAmount)
                .arg(m)
                .arg(k);
        table.amounts[k][m] = a.value;
    }
    return {};
}

// Plain digits, without the locale's group separator, so the columns line up everywhere.
QString cell(const QString& text)
{
    return text.rightJustified(9);
}

QStringList notes(const PayTable& table, const Formula& game)
{
    QStringList out;
    if (provisional(game))
        out << QStringLiteral("Les montants publiés de ce jeu sont provisoires : la table complète est au dos du bulletin.");
    for (int k = game.minTicked; k <= game.maxTicked; ++k)
        if (!table.rowKnown(k)) {
            out << QStringLiteral("« inconnu » : montant que la table ne donne pas ; les rapports le disent au lieu de le "
                                  "compter pour 0.");
            break;
        }
    return out;
}

} // namespace

Amount amount(QStringView field)
{
    const QStringView text = field.trimmed();
    if (text.isEmpty() || text.compare(kUnknown, Qt::CaseInsensitive) == 0)
        return {true, std::nullopt};
    for (QChar c : text)
        if (!c.isDigit() || c.unicode() > '9')
            return {};
    bool ok = false;
    const qint64 value = text.toLongLong(&ok);
    if (!ok || value > kMaxAmount)
        return {};
    return {true, value};
}

bool provisional(const Formula& game)
{
    for (int k = game.minTicked; k <= game.maxTicked; ++k)
        if (!game.payTable.rowKnown(k))
            return true;
    return false;
}

QString shown(const std::optional<qint64>& value)
{
    return value ? QString::number(*value) : kUnknown;
}

QString corrections(const PayTable& table, const Formula& game)
{
    QStringList rows;
    for (int k = game.minTicked; k <= game.maxTicked; ++k)
        if (table.amounts[k] != game.payTable.amounts[k])
            rows << rowText(table, k);
    return rows.join(QLatin1Char(' '));
}

Reading read(QStringView text, const Formula& game)
{
    Reading reading{game.payTable, {}};
    PayTable table = game.payTable;
    QSet<int> seen;
    static const QRegularExpression blanks(QStringLiteral("\\s+"));
    for (const QString& row : text.toString().split(blanks, Qt::SkipEmptyParts)) {
        reading.error = readRow(row, game, seen, table);
        if (!reading.error.isEmpty())
            return reading;
    }
    reading.table = table;
    return reading;
}

QStringList lines(const PayTable& table, const Formula& game)
{
    QStringList out{QStringLiteral("Table des gains en vigueur : %1, mise de 1 €, montants en euros").arg(game.name)};
    const bool shipped = table.amounts == game.payTable.amounts;
    out << (shipped ? QStringLiteral("(la table d'origine)") : QStringLiteral("(la table d'origine corrigée par le joueur)"));
    out << QString();
    QString header = QStringLiteral("Cochés \\ trouvés");
    for (int m = 0; m <= game.maxTicked; ++m)
        header += cell(QString::number(m));
    out << header;
    for (int k = game.minTicked; k <= game.maxTicked; ++k) {
        QString row = QString::number(k).rightJustified(16);
        for (int m = 0; m <= k; ++m)
            row += cell(shown(table.amount(k, m)));
        out << row;
    }
    const QStringList more = notes(table, game);
    if (!more.isEmpty())
        out << QString() << more;
    return out;
}

} // namespace PayTableText
