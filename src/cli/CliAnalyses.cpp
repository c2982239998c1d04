// The number analyses: each prints the report area as the export step would write it, also for
// the commands the window does not export. The two walks show their progress on a terminal and
// stop on Ctrl+C with the records found so far.
#include "analyses/ColumnReport.h"
#include "analyses/CombinationWalk.h"
#include "cli/CliCommand.h"
#include "cli/CliJobRunner.h"
#include "cli/CliUi.h"
#include "output/NumberFormat.h"
#include "shell/Workspace.h"

#include <algorithm>

namespace {

int sizeArgument(const QString& subject, const QString& text)
{
    const qint64 r = NumberFormat::readTypedNumber(text);
    if (!CombinationWalk::isSize(r))
        throw usageError(subject, QStringLiteral("« %1 » : la taille des combinaisons va de 2 à 10").arg(text));
    return static_cast<int>(r);
}

// The arguments are the answers of the input boxes the command asks.
class AnsweredCommand : public CliCommand {
public:
    AnsweredCommand(const QString& name, void (Workspace::*command)(), const QString& description, unsigned reads,
                    QList<Argument> arguments)
        : CliCommand(name, description, reads), m_command(command)
    {
        setArguments(std::move(arguments));
    }

    int execute(CliRun& run) const override
    {
        run.ui.answers = run.options.arguments;
        (run.ws.*m_command)();
        run.printReport();
        return CliStatus::kOk;
    }

private:
    void (Workspace::*m_command)();
};

class ColonneCommand : public AnsweredCommand {
public:
    ColonneCommand()
        : AnsweredCommand(QStringLiteral("colonne"), &Workspace::colonne,
                          QStringLiteral("numéros sortis dans la colonne C (1 à 20) du tirage"), ReadsPeriod,
                          {{QStringLiteral("C"), QStringLiteral("la colonne, de 1 à 20")}})
    {
    }

    void check(const CliOptions& o) const override
    {
        CliCommand::check(o);
        if (!ColumnReport::isColumn(ColumnReport::readAnswer(o.arguments.value(0))))
            throw usageError(name(), QStringLiteral("« %1 » n'est pas une colonne de 1 à 20").arg(o.arguments.value(0)));
    }
};

// The two walks: progress on a terminal, Ctrl+C stops them with the records found so far.
class WalkCommand : public CliCommand {
public:
    WalkCommand(const QString& name, void (Workspace::*command)(), const QString& description, QList<Argument> arguments)
        : CliCommand(name, description, ReadsPeriod | ReadsNumbers), m_command(command)
    {
        setArguments(std::move(arguments));
    }

    void check(const CliOptions& o) const override
    {
        CliCommand::check(o);
        sizeArgument(name(), o.arguments.value(0));
    }

    int execute(CliRun& run) const override
    {
        run.ui.answers = run.options.arguments;
        (run.ws.*m_command)();
        run.printReport();
        if (run.jobs.stopped()) {
            run.fail(QStringLiteral("interrompu : les combinaisons trouvées jusque-là sont affichées"));
            return CliStatus::kFailure;
        }
        return CliStatus::kOk;
    }

private:
    void (Workspace::*m_command)();
};

class AnnonceurCommand : public CliCommand {
public:
    AnnonceurCommand()
        : CliCommand(QStringLiteral("annonceur"), QStringLiteral("numéros sortis au tirage suivant les numéros cochés"),
                     ReadsPeriod | ReadsNumbers)
    {
    }

    int execute(CliRun& run) const override
    {
        // The Workspace's only message here is its refusal of the numbers ticked: no report then.
        run.ui.messagesAreFailures = true;
        const int told = run.ui.messagesTold;
        run.ws.annonceur();
        run.ui.messagesAreFailures = false;
        if (run.ui.messagesTold != told)
            return CliStatus::kFailure;
        run.printReport();
        return CliStatus::kOk;
    }
};

} // namespace

CliCommandList analysisCommands()
{
    CliCommandList list;
    const auto add = [&list](const char* name, void (Workspace::*command)(), const char* description, unsigned reads) {
        list.push_back(std::make_unique<ReportCommand>(QString::fromUtf8(name), command, QString::fromUtf8(description), reads));
    };
    add("dizaines", &Workspace::dizaines, "sorties par dizaines et par finales", CliCommand::ReadsPeriod);
    add("septaines", &Workspace::septaines, "sorties par groupes de sept", CliCommand::ReadsPeriod);
    add("pairs-impairs", &Workspace::pairsImpairs, "sorties des numéros pairs et impairs", CliCommand::ReadsPeriod);
    add("petits-gros", &Workspace::petitsGros, "sorties des numéros 1 à 35 et 36 à 70", CliCommand::ReadsPeriod);
    list.push_back(std::make_unique<ColonneCommand>());
    add("partenaires", &Workspace::partenaire, "partenaires des numéros cochés",
        CliCommand::ReadsPeriod | CliCommand::ReadsNumbers);
    list.push_back(std::make_unique<WalkCommand>(
        QStringLiteral("plus-sortis"), &Workspace::plusSortis,
        QStringLiteral("combinaisons de R numéros cochés les plus sorties"),
        QList<CliCommand::Argument>{{QStringLiteral("R"), QStringLiteral("la taille des combinaisons, de 2 à 10")}}));
    list.push_back(std::make_unique<WalkCommand>(
        QStringLiteral("recherche-ecart"), &Workspace::rechercheEcart,
        QStringLiteral("combinaisons de R numéros absentes depuis le plus longtemps (S présents)"),
        QList<CliCommand::Argument>{{QStringLiteral("R"), QStringLiteral("la taille des combinaisons, de 2 à 10")},
                                    {QStringLiteral("S"), QStringLiteral("combien de leurs numéros sont présents")}}));
    list.push_back(std::make_unique<AnnonceurCommand>());
    return list;
}
