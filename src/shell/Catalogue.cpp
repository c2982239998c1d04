// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/Catalogue.h"

#include "shell/CommandUnits.h"
#include "shell/Workspace.h"

namespace Catalogue {

namespace {

QString text(const char* utf8)
{
    return QString::fromUtf8(utf8);
}

Entry command(const char* menu, const char* name, const char* caption, Entry::Handler handler, const char* shortcut = "")
{
    Entry e;
    e.menu = text(menu);
    e.objectName = text(name);
    e.caption = text(caption);
    e.shortcut = text(shortcut);
    e.handler = handler;
    return e;
}

Entry onWindow(const char* menu, const char* name, const char* caption, Entry::Kind kind, const char* shortcut = "")
{
    Entry e = command(menu, name, caption, nullptr, shortcut);
    e.kind = kind;
    return e;
}

Entry separator(const char* menu, const char* name)
{
    return onWindow(menu, name, "-", Entry::Kind::Separator);
}

// The command line's side of an entry.
Entry cli(Entry e, const char* name, const char* help, CliStyle style, unsigned reads = 0)
{
    e.cliName = text(name);
    e.cliHelp = text(help);
    e.cliStyle = style;
    e.reads = reads;
    return e;
}

Entry withArguments(Entry e, QList<Argument> arguments, int min = -1, int max = -1)
{
    e.arguments = std::move(arguments);
    e.minArguments = min;
    e.maxArguments = max;
    return e;
}

Entry withOption(Entry e, const char* name, const char* valueName, const char* description)
{
    e.options << Option{text(name), text(valueName), text(description)};
    return e;
}

// The money reports: the stake and the multiplier option played, 1 € alone by default.
Entry withStake(Entry e)
{
    e = withOption(e, "mise", "N", "mise par tirage en euros : 1, 2, 3, 5 ou 10 (1 par défaut)");
    return withOption(e, "multiplicateur", "", "joue l'option multiplicateur : mise doublée, gains multipliés");
}

Entry preset(Entry e, const char* itemName, QList<std::pair<QString, int>> items, PresetRange range)
{
    e.kind = Entry::Kind::Submenu;
    e.itemName = text(itemName);
    e.items = std::move(items);
    e.preset = range;
    return e;
}

// A help that holds for both games: the classic game's figures, then the current one's.
QString bothGames(const QString& classicText, const QString& currentText)
{
    return QStringLiteral("%1 (%2 avec --jeu %3)").arg(classicText, currentText, Formula::current().key);
}

// "1 à 35 et 36 à 70".
QString halves(const Formula& f)
{
    return QStringLiteral("1 à %1 et %2 à %3").arg(f.lowHalf().last).arg(f.highHalf().first).arg(f.numbers);
}

// "1 = 1-10 ... 7 = 61-70": the grid's rows.
QString gridRows(const Formula& f)
{
    const std::vector<NumberRange> rows = f.runs(f.gridColumns);
    return QStringLiteral("1 = %1-%2 ... %3 = %4-%5")
        .arg(rows.front().first)
        .arg(rows.front().last)
        .arg(rows.size())
        .arg(rows.back().first)
        .arg(rows.back().last);
}

// "1 à 20": the columns of a draw line.
QString columns(const Formula& f)
{
    return QStringLiteral("1 à %1").arg(f.drawn);
}

constexpr unsigned kPeriodNumbers = ReadsPeriod | ReadsNumbers;

// "Telechargement FDesJeux", "Tous les tirages" and the command line's import: the download
// may run as a job.
CommandOutcome reload(CommandUnits& u)
{
    return u.jobs.await([&u](OutcomeThen then) { u.history.reload(std::move(then)); });
}

// The same, for the commands that bring draws in: the tickets that won on them are announced.
CommandOutcome reloadAnnouncing(CommandUnits& u)
{
    return u.jobs.await([&u](OutcomeThen then) {
        u.tickets.announcing([&u](OutcomeThen done) { u.history.reload(std::move(done)); }, std::move(then));
    });
}

CommandOutcome validateAnnouncing(CommandUnits& u)
{
    return u.jobs.await([&u](OutcomeThen then) {
        u.tickets.announcing([&u](OutcomeThen done) { done(u.entry.validateEntry()); }, std::move(then));
    });
}

// A combination walk: stopped by the person, its outcome says so.
CommandOutcome walk(CommandUnits& u, const std::function<void()>& start)
{
    return u.jobs.track([&start] {
        start();
        return CommandOutcome::done();
    });
}
constexpr int kMaxArchives = 100;

QList<Entry> fileEntries()
{
    Entry add = cli(command("", "OK", "OK", [](CommandUnits& u, int) { return validateAnnouncing(u); }), "add",
                    "ajoute le tirage suivant à l'historique de travail", CliStyle::Add);
    const Formula &classic = Formula::classic(), &current = Formula::current();
    add = withArguments(add,
                        {{QStringLiteral("N1,N2,...,N%1").arg(classic.drawn),
                          QStringLiteral("les %1 numéros du tirage, de 1 à %2 (%3 de 1 à %4 avec --jeu %5)")
                              .arg(classic.drawn)
                              .arg(classic.numbers)
                              .arg(current.drawn)
                              .arg(current.numbers)
                              .arg(current.key)}});
    add = withOption(add, "multiplicateur", "N", "multiplicateur du tirage, de 1 à 10 (facultatif)");
    add.writesHistory = true;
    Entry import = cli(command("", "import", "", [](CommandUnits& u, int) { return reloadAnnouncing(u); }), "import",
                       "importe une archive de résultats (.zip ou .csv)", CliStyle::Import);
    import = withArguments(import, {{ text("ARCHIVE"), text("l'archive à importer") }});
    import.acquiring = import.archiveArgument = true;
    Entry download = cli(command(
                             "Fichier", "Telecharge", "Telechargement FDesJeux",
                             [](CommandUnits& u, int) { return reloadAnnouncing(u); }, "Ctrl+D"),
                         "download", "télécharge et importe l'archive de résultats", CliStyle::Download);
    download = withOption(download, "url", "ADRESSE", "adresse de l'archive de résultats");
    download.acquiring = true;
    Entry build = cli(command("Fichier", "Construire", "Construire l'historique…",
                              [](CommandUnits& u, int) { return u.workspace.construireHistorique(); }),
                      "build-base", "construit l'historique à partir de plusieurs archives", CliStyle::BuildBase);
    build = withArguments(build, {{text("ARCHIVE..."), text("les archives de résultats (.zip ou .csv)")}}, 1, kMaxArchives);
    build = withOption(build, "replace", "", "remplace l'historique existant, en gardant ses tirages absents des archives");
    build.acquiring = build.withoutStartUp = true;
    Entry copy = onWindow("Ed", "MnuCop", "Copier selection", Entry::Kind::WindowAction);
    copy.copyKey = true;
    return {
        command(
            "Fichier", "mnuCharge", "Charge Manuelle", [](CommandUnits& u, int) { return u.history.chargeManuelle(); }, "F5"),
        add,
        import,
        download,
        build,
        onWindow("Fichier", "Imp", "Imprimer", Entry::Kind::Submenu),
        onWindow("Imp", "tout", "Tout", Entry::Kind::WindowAction),
        onWindow("Imp", "selection", "Selection", Entry::Kind::WindowAction, "Ctrl+P"),
        onWindow("Fichier", "Fin", "&Quitter", Entry::Kind::Quit, "Ctrl+Q"),
        copy,
    };
}

QList<Entry> rankingEntries()
{
    const auto ranking = [](const char* name, const char* caption, Entry::Handler handler, const char* key, const char* cliName,
                            const char* help) {
        return cli(command("Statistiques", name, caption, handler, key), cliName, help, CliStyle::Report, ReadsPeriod);
    };
    return {
        command(
            "Statistiques", "Debut", "Tous les tirages", [](CommandUnits& u, int) { return reload(u); }, "Ctrl+T"),
        command(
            "Statistiques", "finP", "Periode d'etude",
            [](CommandUnits& u, int) { return u.jobs.await([&u](OutcomeThen then) { u.filter.periodeEtude(std::move(then)); }); },
            "Ctrl+E"),
        separator("Statistiques", "m1"),
        ranking(
            "Ecarts", "Ecarts", [](CommandUnits& u, int) { return u.rankings.ecarts(); }, "F6", "ecarts",
            "classement par écarts"),
        ranking(
            "EMaxi", "Ecarts Max", [](CommandUnits& u, int) { return u.rankings.ecartsMax(); }, "F7", "ecarts-max",
            "classement par écarts maximum"),
        ranking(
            "Sorties", "Sorties", [](CommandUnits& u, int) { return u.rankings.sorties(); }, "F8", "sorties",
            "classement par sorties"),
        ranking(
            "Numero", "Numéro", [](CommandUnits& u, int) { return u.rankings.numero(); }, "F9", "numero",
            "classement par numéros"),
        separator("Statistiques", "m5"),
    };
}

// Row `index` of the game's grid: "1-10", "49-56".
QString gridRow(const Formula& game, int index)
{
    const NumberRange row = game.runs(game.gridColumns).at(static_cast<size_t>(index));
    return QStringLiteral("%1-%2").arg(row.first).arg(row.last);
}

// F0(1..10), captions "1".."9" then "0", and C1(0..6), the grid's rows "1-10".."61-70".
QList<Entry> presetEntries()
{
    QList<std::pair<QString, int>> finales, colonnes;
    for (int d = 1; d <= 10; ++d)
        finales.append({QString::number(d % 10), d});
    for (int i = 0; i < Formula::classic().gridRows(); ++i)
        colonnes.append({gridRow(Formula::classic(), i), i});
    Entry f = cli(command("Statistiques", "Finales", "Finales", [](CommandUnits& u, int d) { return u.forecast.finales(d); }),
                  "finales", "performance des numéros finissant par D (0..9)", CliStyle::Preset, ReadsPeriod);
    f = preset(withArguments(f, {{text("D"), text("le dernier chiffre, de 0 à 9")}}), "F0", finales,
               {0, 9, [](int d) { return d == 0 ? 10 : d; }});
    Entry c = cli(command("Statistiques", "Colones", "Colonnes", [](CommandUnits& u, int i) { return u.forecast.colonnes(i); }),
                  "colonnes", "", CliStyle::Preset, ReadsPeriod);
    c.cliHelp
        = QStringLiteral("performance de la rangée I, ") + bothGames(gridRows(Formula::classic()), gridRows(Formula::current()));
    c = preset(withArguments(c, {{text("I"), text("la rangée, de 1 à 7")}}), "C1", colonnes, {1, 7, [](int i) { return i - 1; }});
    c.itemCaption = gridRow;
    return {f, separator("Statistiques", "m2"), c, separator("Statistiques", "m6")};
}

// A command of the statistics menu that the command line has too.
Entry statsRow(const char* name, const char* caption, Entry::Handler handler, const char* cliName, const char* help,
               unsigned reads = ReadsPeriod, CliStyle style = CliStyle::Report)
{
    return cli(command("Statistiques", name, caption, handler), cliName, help, style, reads);
}

QList<Entry> groupEntries()
{
    Entry halvesRow = statsRow(
        "PG", "Petits / Gros Numéros", [](CommandUnits& u, int) { return u.analyses.petitsGros(); }, "petits-gros", "");
    halvesRow.cliHelp
        = QStringLiteral("sorties des numéros ") + bothGames(halves(Formula::classic()), halves(Formula::current()));
    return {
        statsRow(
            "Dix", "Dizaines/Unités", [](CommandUnits& u, int) { return u.analyses.dizaines(); }, "dizaines",
            "sorties par dizaines et par finales"),
        statsRow(
            "Sept", "Septaines", [](CommandUnits& u, int) { return u.analyses.septaines(); }, "septaines",
            "sorties par groupes de sept"),
        statsRow(
            "Pi", "Pairs / Impairs", [](CommandUnits& u, int) { return u.analyses.pairsImpairs(); }, "pairs-impairs",
            "sorties des numéros pairs et impairs"),
        halvesRow,
    };
}

QList<Entry> partnerEntries()
{
    const Argument size{text("R"), text("la taille des combinaisons, de 2 à 10")};
    return {
        separator("Statistiques", "m3"),
        statsRow(
            "Part", "Partenaire ideal", [](CommandUnits& u, int) { return u.analyses.partenaire(); }, "partenaires",
            "partenaires des numéros cochés", kPeriodNumbers),
        statsRow(
            "PartHasard", "Partenaires - hasard", [](CommandUnits& u, int) { return u.chance.partenairesHasard(); },
            "partenaires-hasard", "partenaires des numéros cochés face au hasard", kPeriodNumbers),
        withArguments(statsRow(
                          "Recherche", "&Recherche Ecart",
                          [](CommandUnits& u, int) { return walk(u, [&u] { u.analyses.rechercheEcart(); }); }, "recherche-ecart",
                          "combinaisons de R numéros absentes depuis le plus longtemps (S présents)", kPeriodNumbers,
                          CliStyle::Walk),
                      {size, {text("S"), text("combien de leurs numéros sont présents")}}),
        statsRow(
            "Annonceur", "Annonceur", [](CommandUnits& u, int) { return u.analyses.annonceur(); }, "annonceur",
            "numéros sortis au tirage suivant les numéros cochés", kPeriodNumbers),
        statsRow(
            "AnnonceurHasard", "Annonceur - hasard", [](CommandUnits& u, int) { return u.chance.annonceurHasard(); },
            "annonceur-hasard", "numéros annoncés par les numéros cochés face au hasard", kPeriodNumbers),
    };
}

QList<Entry> reportEntries()
{
    const auto report = [](const char* name, const char* caption, Entry::Handler handler, const char* cliName, const char* help,
                           unsigned reads, CliStyle style = CliStyle::Report) {
        return cli(command("Statistiques", name, caption, handler), cliName, help, style, reads);
    };
    return {
        withStake(report(
            "Perf2", "Performance", [](CommandUnits& u, int) { return u.forecast.performance(); }, "performance",
            "gains des numéros cochés sur la période", kPeriodNumbers)),
        withArguments(report(
                          "PlusSortis", "Plus sortis",
                          [](CommandUnits& u, int) { return walk(u, [&u] { u.analyses.plusSortis(); }); }, "plus-sortis",
                          "combinaisons de R numéros cochés les plus sorties", kPeriodNumbers, CliStyle::Walk),
                      {{text("R"), text("la taille des combinaisons, de 2 à 10")}}),
        withArguments(
            report(
                "Colonne", "Colonne", [](CommandUnits& u, int) { return u.analyses.colonne(); }, "colonne",
                "numéros sortis dans la colonne C du tirage", ReadsPeriod, CliStyle::Column),
            {{text("C"),
              QStringLiteral("la colonne, de ") + bothGames(columns(Formula::classic()), columns(Formula::current()))}}),
        report(
            "Hasard", "Hasard", [](CommandUnits& u, int) { return u.chance.hasard(); }, "hasard",
            "les sorties et les écarts face au hasard", ReadsPeriod),
    };
}

QList<Entry> ticketEntries()
{
    Entry tickets
        = cli(command("Statistiques", "MesGrilles", "Mes grilles",
                      [](CommandUnits& u, int) { return u.jobs.track([&u] { return u.tickets.mesGrilles(); }); }),
              "grilles", "gains et mises de mes grilles tirage par tirage, après avoir ajouté, terminé ou supprimé une grille",
              CliStyle::Tickets, kPeriodNumbers);
    tickets = withOption(tickets, "ajouter", "NOM",
                         "enregistre une grille : les numéros de --numbers, depuis le tirage de --from, « JJ/MM/AAAA » "
                         "suivi au besoin du tirage de la journée (par défaut, le prochain tirage)");
    tickets = withOption(tickets, "mise", "N", "mise de la grille ajoutée, en euros : 1, 2, 3, 5 ou 10 (1 par défaut)");
    tickets = withOption(tickets, "multiplicateur", "", "la grille ajoutée est jouée avec l'option multiplicateur");
    tickets = withOption(tickets, "terminer", "NOM",
                         "fixe le dernier tirage joué de la grille : celui de --jusqu-au, ou le dernier de l'historique");
    tickets = withOption(tickets, "jusqu-au", "TIRAGE",
                         "dernier tirage joué avec --terminer : « JJ/MM/AAAA » suivi au besoin du tirage de la journée");
    tickets = withOption(tickets, "supprimer", "NOM", "supprime la grille");
    return {tickets, onWindow("Statistiques", "GererGrilles", "Gérer mes grilles…", Entry::Kind::WindowAction)};
}

QList<Entry> forecastEntries()
{
    Entry odds = cli(command("m4", "Cotes", "Cotes du Keno", [](CommandUnits& u, int) { return u.chance.cotesKeno(); }), "cotes",
                     "cotes du Keno", CliStyle::Report);
    odds.withoutHistory = true;
    odds = withStake(odds);
    Entry test = cli(command("m4", "TestPrev", "Tester la prévision",
                             [](CommandUnits& u, int) {
                                 return u.jobs.track([&u] { return u.chance.testerPrevision(Workspace::kDefaultBacktestSeed); });
                             }),
                     "backtest", "teste la prévision tirage après tirage", CliStyle::Backtest, ReadsPeriod | ReadsCriteria);
    test = withOption(test, "size", "K", "nombre de numéros joués, de 2 à 10 (10 par défaut)");
    test = withOption(test, "seed", "S", "graine des grilles tirées au hasard, de 0 à 4294967295 (1 par défaut)");
    test = withStake(test);
    return {
        onWindow("m4", "mnuPrev", "Configuration", Entry::Kind::WindowAction),
        cli(command("m4", "Magic", "Selection numéros", [](CommandUnits& u, int) { return u.forecast.selectionNumeros(); }),
            "prevision", "sélection des numéros selon les critères", CliStyle::Forecast, ReadsPeriod | ReadsCriteria),
        odds,
        test,
    };
}

// One ticked row a game: playing the other one reloads the list.
template <FormulaId id> Entry gameEntry(const char* name)
{
    Entry e = command("Jeu", name, "", [](CommandUnits& u, int) { return u.workspace.chooseGame(id); });
    e.caption = Formula::get(id).name;
    e.checked = [](const Workspace& ws) { return ws.game().id == id; };
    return e;
}

QList<Entry> gameEntries()
{
    Entry update = command("Jeu", "MiseAJour", "Mise à jour automatique",
                           [](CommandUnits& u, int) { return u.workspace.toggleAutoUpdate(); });
    update.checked = [](const Workspace& ws) { return ws.autoUpdate(); };
    update.toggles = true;
    // The window opens its own editor of the table; the command line prints it and corrects it.
    Entry pay = cli(onWindow("Jeu", "mnuGains", "Table des gains…", Entry::Kind::WindowAction), "gains",
                    "table des gains en vigueur du jeu, avec les corrections du joueur", CliStyle::PayTable);
    pay = withOption(pay, "fixer", "K,M,MONTANT", "fixe le gain de M numéros trouvés sur K cochés, en euros pour 1 € misé");
    pay = withOption(pay, "effacer", "K,M", "rend inconnu le gain de M numéros trouvés sur K cochés");
    pay.withoutHistory = pay.withoutStartUp = true;
    return {gameEntry<FormulaId::Keno20of70>("Jeu2070"), gameEntry<FormulaId::Keno16of56>("Jeu1656"), separator("Jeu", "mJeu"),
            update, pay};
}

QList<Entry> otherEntries()
{
    return {
        command(
            "help", "Varn", "Aide", [](CommandUnits& u, int) { return u.output.aide(); }, "F1"),
        onWindow("help", "mnuCons", "Conseils", Entry::Kind::WindowAction),
        command("Divers", "tc", "Tout cocher",
                [](CommandUnits& u, int) {
                    u.grid.toutCocher();
                    return CommandOutcome::done();
                }),
        command("Divers", "site", "Visiter le site / contact", [](CommandUnits& u, int) { return u.output.site(); }),
        command("Divers", "Apropos", "A propos", [](CommandUnits& u, int) { return u.output.aPropos(); }),
    };
}

} // namespace

const QList<Menu>& menus()
{
    static const QList<Menu> table = {
        {QStringLiteral("Fichier"), QStringLiteral("&Fichier")},
        {QStringLiteral("Jeu"), QStringLiteral("&Jeu")},
        {QStringLiteral("Ed"), QStringLiteral("Edition")},
        {QStringLiteral("Statistiques"), QStringLiteral("S&tatistiques")},
        {QStringLiteral("m4"), QStringLiteral("Prevision")},
        {QStringLiteral("help"), QStringLiteral("Aide")},
        {QStringLiteral("Divers"), QStringLiteral("Divers")},
    };
    return table;
}

const QList<Entry>& entries()
{
    static const QList<Entry> table = fileEntries() + gameEntries() + rankingEntries() + presetEntries() + groupEntries()
        + partnerEntries() + reportEntries() + ticketEntries() + forecastEntries() + otherEntries();
    return table;
}

QList<const Entry*> entriesOf(const QString& menu)
{
    QList<const Entry*> rows;
    for (const Entry& e : entries())
        if (e.menu == menu)
            rows << &e;
    return rows;
}

QList<const Entry*> cliEntries()
{
    QList<const Entry*> rows;
    for (const Entry& e : entries())
        if (e.onCommandLine())
            rows << &e;
    return rows;
}

const Entry* findCli(const QString& name)
{
    if (name.isEmpty())
        return nullptr;
    for (const Entry& e : entries())
        if (e.cliName == name)
            return &e;
    return nullptr;
}

} // namespace Catalogue
