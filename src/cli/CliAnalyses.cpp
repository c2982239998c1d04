// The number analyses: each prints the report area as the export step would write it, also for
// the commands the window does not export. The two walks show their progress on a terminal and
// stop on Ctrl+C with the records found so far.
#include "analyses/ColumnReport.h"
#include "analyses/CombinationWalk.h"
#include "cli/CliCommand.h"
#include "cli/CliUi.h"
#include "output/NumberFormat.h"
#include "shell/JobRunner.h"
#include "shell/Workspace.h"

#include <algorithm>
#include <atomic>
#include <csignal>
#include <cstdio>
#include <unistd.h>

namespace {

std::atomic<bool> g_interrupted{false};

extern "C" void onInterrupt(int)
{
    g_interrupted.store(true);
}

// Runs a job in the calling thread; Ctrl+C sets the cancel flag instead of ending the program,
// and a terminal sees how far the job is.
class CliJobRunner : public JobRunner, private JobContext {
public:
    explicit CliJobRunner(QTextStream& err) : m_err(err) { }

    void start(Job job) override
    {
        g_interrupted.store(false);
        const auto previous = std::signal(SIGINT, onInterrupt);
        m_tty = isatty(fileno(stderr));
        m_shown = 0;
        if (job.run)
            job.run(*this);
        std::signal(SIGINT, previous == SIG_ERR ? SIG_DFL : previous);
        if (m_shown > 0)
            m_err << '\n' << Qt::flush;
        m_stopped = g_interrupted.load();
        if (job.finish)
            job.finish();
    }

    bool stopped() const { return m_stopped; }

private:
    const std::atomic<bool>* cancelFlag() const override { return &g_interrupted; }
    void post(std::function<void()> update) override { update(); }
    void progress(const QString& text, double) override
    {
        if (!m_tty || text.isEmpty())
            return;
        // Blanks over what a longer previous line left.
        m_err << '\r' << text << QString(std::max<qsizetype>(m_shown - text.size(), 0), QLatin1Char(' ')) << Qt::flush;
        m_shown = std::max(m_shown, text.size());
    }

    QTextStream& m_err;
    bool m_tty = false;
    qsizetype m_shown = 0; // length of the progress line on the terminal
    bool m_stopped = false;
};

int sizeArgument(const QString& subject, const QString& text)
{
    const qint64 r = NumberFormat::readTypedNumber(text);
    if (!CombinationWalk::isSize(r))
        throw usageError(subject, QStringLiteral("« %1 » : la taille des combinaisons va de 2 à 10").arg(text));
    return static_cast<int>(r);
}

CliCommand walk(const QString& name, void (Workspace::*command)(), int args, const QString& usage)
{
    CliCommand c;
    c.name = name;
    c.minArgs = args;
    c.maxArgs = args;
    c.usage = usage;
    c.check = [name](const CliOptions& o) { sizeArgument(name, o.commandArgs.value(0)); };
    c.execute = [command](CliRun& run) {
        CliJobRunner runner(run.err);
        run.ui.answers = run.options.commandArgs;
        run.ws.setJobRunner(&runner);
        (run.ws.*command)();
        run.ws.setJobRunner(nullptr);
        run.printReport();
        if (runner.stopped()) {
            run.fail(QStringLiteral("interrompu : les combinaisons trouvées jusque-là sont affichées"));
            return CliStatus::kFailure;
        }
        return CliStatus::kOk;
    };
    return c;
}

} // namespace

QList<CliCommand> analysisCommands()
{
    CliCommand colonne;
    colonne.name = QStringLiteral("colonne");
    colonne.minArgs = 1;
    colonne.maxArgs = 1;
    colonne.usage = QStringLiteral("colonne C                numéros sortis dans la colonne C (1 à 20) du tirage");
    colonne.check = [](const CliOptions& o) {
        if (!ColumnReport::isColumn(ColumnReport::readAnswer(o.commandArgs.value(0))))
            throw usageError(QStringLiteral("colonne"),
                             QStringLiteral("« %1 » n'est pas une colonne de 1 à 20").arg(o.commandArgs.value(0)));
    };
    colonne.execute = [](CliRun& run) {
        run.ui.answers = run.options.commandArgs;
        run.ws.colonne();
        run.printReport();
        return CliStatus::kOk;
    };

    CliCommand annonceur;
    annonceur.name = QStringLiteral("annonceur");
    annonceur.usage = QStringLiteral("annonceur                numéros sortis au tirage suivant les numéros cochés");
    annonceur.execute = [](CliRun& run) {
        // The Workspace's only message here is its refusal of the numbers ticked: no report then.
        run.ui.messagesAreFailures = true;
        const int told = run.ui.messagesTold;
        run.ws.annonceur();
        run.ui.messagesAreFailures = false;
        if (run.ui.messagesTold != told)
            return CliStatus::kFailure;
        run.printReport();
        return CliStatus::kOk;
    };

    return {
        reportCommand(QStringLiteral("dizaines"), &Workspace::dizaines,
                      QStringLiteral("dizaines                 sorties par dizaines et par finales")),
        reportCommand(QStringLiteral("septaines"), &Workspace::septaines,
                      QStringLiteral("septaines                sorties par groupes de sept")),
        reportCommand(QStringLiteral("pairs-impairs"), &Workspace::pairsImpairs,
                      QStringLiteral("pairs-impairs            sorties des numéros pairs et impairs")),
        reportCommand(QStringLiteral("petits-gros"), &Workspace::petitsGros,
                      QStringLiteral("petits-gros              sorties des numéros 1 à 35 et 36 à 70")),
        colonne,
        reportCommand(QStringLiteral("partenaires"), &Workspace::partenaire,
                      QStringLiteral("partenaires              partenaires des numéros cochés (--numbers)")),
        walk(QStringLiteral("plus-sortis"), &Workspace::plusSortis, 1,
             QStringLiteral("plus-sortis R            combinaisons de R numéros cochés les plus sorties")),
        walk(QStringLiteral("recherche-ecart"), &Workspace::rechercheEcart, 2,
             QStringLiteral("recherche-ecart R S      combinaisons de R numéros absentes depuis le plus longtemps (S présents)")),
        annonceur,
    };
}
