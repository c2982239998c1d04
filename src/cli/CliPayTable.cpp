// SPDX-License-Identifier: GPL-3.0-or-later
// The command that prints the pay table in force and corrects one amount of it.
#include "cli/CliCommand.h"
#include "history/PayTableText.h"
#include "shell/Workspace.h"

#include <QCommandLineParser>

namespace {

// "K,M,MONTANT" (`withAmount`) or "K,M": the numbers ticked and matched in the game's range.
CliOptions::PayFix parseFix(const QString& option, const QString& text, bool withAmount, const Formula& game)
{
    const QStringList parts = text.split(QLatin1Char(','));
    if (parts.size() != (withAmount ? 3 : 2))
        throw usageError(option,
                         QStringLiteral("« %1 » n'est pas de la forme %2")
                             .arg(text, withAmount ? QStringLiteral("K,M,MONTANT") : QStringLiteral("K,M")));
    CliOptions::PayFix fix;
    fix.ticked = parseIntList(option, parts[0], game.minTicked, game.maxTicked).constFirst();
    fix.matched = parseIntList(option, parts[1], 0, fix.ticked).constFirst();
    if (withAmount) {
        const PayTableText::Amount amount = PayTableText::amount(parts[2]);
        if (!amount.ok || !amount.value)
            throw usageError(option,
                             QStringLiteral("« %1 » n'est pas un montant en euros entiers de 0 à %2")
                                 .arg(parts[2].trimmed())
                                 .arg(PayTableText::kMaxAmount));
        fix.amount = amount.value;
    }
    return fix;
}

void readPayTableOptions(const QCommandLineParser& parser, CliOptions& o)
{
    const QString fixer = QStringLiteral("fixer"), effacer = QStringLiteral("effacer");
    if (parser.isSet(fixer) && parser.isSet(effacer))
        throw usageError(QStringLiteral("--fixer"), QStringLiteral("un seul montant à la fois : --fixer ou --effacer"));
    if (parser.isSet(fixer))
        o.payFix = parseFix(QStringLiteral("--fixer"), parser.value(fixer), true, o.game());
    if (parser.isSet(effacer))
        o.payFix = parseFix(QStringLiteral("--effacer"), parser.value(effacer), false, o.game());
}

// The correction first, kept in the settings, then the table in force.
int payTable(const CliCommand&, CliRun& run)
{
    const Formula& game = run.options.game();
    for (const QString& notice : run.ws.payTableNotices())
        run.err << notice << '\n';
    if (const std::optional<CliOptions::PayFix>& fix = run.options.payFix) {
        PayTable table = run.ws.payTables().of(game.id);
        table.amounts[fix->ticked][fix->matched] = fix->amount;
        const CommandOutcome saved = run.ws.setPayTable(game.id, table);
        if (!saved.isDone()) {
            run.fail(saved.reason.section(QLatin1Char('\n'), 0, 0));
            return CliStatus::kFailure;
        }
    }
    for (const QString& line : PayTableText::lines(run.ws.payTables().of(game.id), game))
        run.out << line << '\n';
    run.out.flush();
    run.err.flush();
    return CliStatus::kOk;
}

} // namespace

CliStyleRun payTableStyle(Catalogue::CliStyle style)
{
    if (style == Catalogue::CliStyle::PayTable)
        return {nullptr, readPayTableOptions, payTable};
    return {};
}
