#include "gui/MainWindow.h"

#include "shell/Workspace.h"

#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QFontDatabase>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QSplitter>
#include <QStatusBar>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>

namespace {

const QColor kUnticked(255, 192, 128);
const QColor kTicked(255, 0, 0);

// Beyond this many changed lines, refilling the draw list is cheaper than editing it.
constexpr qsizetype kIncrementalLimit = 64;

// Scoped flag: restores the previous value, so nested mirrors keep it set.
class FlagGuard {
public:
    explicit FlagGuard(bool& flag) : m_flag(flag), m_old(flag) { m_flag = true; }
    ~FlagGuard() { m_flag = m_old; }
    FlagGuard(const FlagGuard&) = delete;
    FlagGuard& operator=(const FlagGuard&) = delete;

private:
    bool& m_flag;
    bool m_old;
};

QLineEdit* makeReadOnlyField(QWidget* parent, const QString& name, int chars)
{
    auto* field = new QLineEdit(parent);
    field->setObjectName(name);
    field->setReadOnly(true);
    field->setMinimumWidth(field->fontMetrics().horizontalAdvance(QString(chars, QLatin1Char('0'))) + 12);
    return field;
}

QLabel* makeLabel(QWidget* parent, const QString& name, const QString& text)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    return label;
}

void setBoxColour(QCheckBox* box, bool ticked)
{
    QPalette palette = box->palette();
    const QColor colour = ticked ? kTicked : kUnticked;
    if (palette.color(QPalette::Window) == colour)
        return;
    palette.setColor(QPalette::Window, colour);
    palette.setColor(QPalette::Button, colour);
    box->setPalette(palette);
}

} // namespace

// One line of the command table: the menu it belongs to, its name, caption, what it does and
// its shortcut. A caption of "-" is a separator.
struct MainWindow::MenuCommand {
    QString menu;
    QString name;
    QString caption;
    std::function<void()> handler;
    QKeySequence shortcut;
};

MainWindow::MainWindow(Workspace& workspace, QWidget* parent) : QMainWindow(parent), m_ws(workspace)
{
    setObjectName(QStringLiteral("frmMain"));
    buildWidgets();
    buildMenus();
    connect(&m_ws, &Workspace::changed, this, &MainWindow::mirror);
    mirror(Workspace::AllParts);
}

MainWindow::~MainWindow() = default;

void MainWindow::setTitleSuffix(const QString& suffix)
{
    m_titleSuffix = suffix;
    mirrorMenus();
}

// ---------------------------------------------------------------- construction

void MainWindow::buildWidgets()
{
    const QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);

    m_liste = new QListWidget(this);
    m_liste->setObjectName(QStringLiteral("Liste"));
    m_liste->setToolTip(QStringLiteral("Doble-clic pour cocher le tirage, simple clic changer date de calcul"));
    m_liste->setFont(fixed);
    m_liste->setUniformItemSizes(true); // keeps 30,000 lines fast
    m_liste->setTextElideMode(Qt::ElideNone); // a draw line is read to its last character
    m_liste->setSelectionMode(QAbstractItemView::SingleSelection);
    m_liste->installEventFilter(this);
    connect(m_liste, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
        const int row = m_liste->row(item);
        run([this, row] { m_ws.clickListe(row); });
    });
    connect(m_liste, &QListWidget::itemDoubleClicked, this, [this] { runWorkspace(&Workspace::doubleClickListe); });
    auto* oldest = new QAction(QStringLiteral("Corriger le premier tirage"), m_liste);
    oldest->setObjectName(QStringLiteral("mnuPremier"));
    connect(oldest, &QAction::triggered, this, [this] { runWorkspace(&Workspace::chooseOldestDraw); });
    m_liste->addAction(oldest);
    m_liste->setContextMenuPolicy(Qt::ActionsContextMenu);
    const QFontMetrics lineMetrics(fixed);
    const int lineWidth = lineMetrics.horizontalAdvance(QString(76, QLatin1Char('0')));
    m_liste->setMinimumWidth(lineWidth / 3);
    // Every line has the width of a draw line: a fixed cell keeps the horizontal scroll bar
    // right (the trailing empty item would otherwise set the width of all) and the layout fast.
    m_liste->setGridSize(QSize(lineWidth + 8, lineMetrics.height() + 2));

    QWidget* report = buildReportPanel();
    QWidget* entry = buildEntryPanel();

    m_splitter = new QSplitter(Qt::Horizontal, this);
    m_splitter->setObjectName(QStringLiteral("splitter"));
    m_splitter->addWidget(m_liste);
    m_splitter->addWidget(report);
    m_splitter->addWidget(entry);
    m_splitter->setChildrenCollapsible(false);
    m_splitter->setStretchFactor(0, 3);
    m_splitter->setStretchFactor(1, 3);
    m_splitter->setStretchFactor(2, 0);
    const int listWidth = lineWidth + m_liste->verticalScrollBar()->sizeHint().width() + 8;
    const int reportWidth = report->sizeHint().width() + 40;
    const int entryWidth = entry->sizeHint().width();
    m_splitter->setSizes({listWidth, reportWidth, entryWidth});
    setCentralWidget(m_splitter);
    // Wide enough for whole draw lines when the screen allows it.
    QSize wanted(listWidth + reportWidth + entryWidth + 40, 860);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        wanted = wanted.boundedTo(screen->availableGeometry().size());
    resize(wanted);

    m_progress = new QProgressBar(this);
    m_progress->setObjectName(QStringLiteral("ProgressBar1"));
    m_progress->setMinimumWidth(260);
    m_stop = new QPushButton(QStringLiteral("Arrêter"), this);
    m_stop->setObjectName(QStringLiteral("Arreter"));
    connect(m_stop, &QPushButton::clicked, this, [this] {
        if (m_cancelDownload)
            m_cancelDownload();
    });
    statusBar()->addPermanentWidget(m_progress);
    statusBar()->addPermanentWidget(m_stop);
}

QWidget* MainWindow::buildReportPanel()
{
    const QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    auto* panel = new QWidget(this);

    m_lblAff = makeLabel(panel, QStringLiteral("lblAff"), QString());
    QFont titleFont = m_lblAff->font();
    titleFont.setBold(true);
    m_lblAff->setFont(titleFont);
    m_lblPM = makeLabel(panel, QStringLiteral("lblPM"), QString());
    m_lblPM->setFont(fixed);

    m_lblquoi = makeLabel(panel, QStringLiteral("lblquoi"), QString());
    m_shape2 = new QFrame(panel);
    m_shape2->setObjectName(QStringLiteral("Shape2"));
    m_shape2->setFrameShape(QFrame::Box);
    m_shape2->setFixedSize(14, 14);
    m_shape2->setAutoFillBackground(true);
    QPalette shapePalette = m_shape2->palette();
    shapePalette.setColor(QPalette::Window, QColor(0, 128, 0));
    m_shape2->setPalette(shapePalette);
    // Showing and hiding the indicator must not move the lists under it.
    for (QWidget* w : {static_cast<QWidget*>(m_lblquoi), static_cast<QWidget*>(m_shape2)}) {
        QSizePolicy policy = w->sizePolicy();
        policy.setRetainSizeWhenHidden(true);
        w->setSizePolicy(policy);
    }

    const auto makeResultList = [&](const QString& name, int list) {
        auto* widget = new QListWidget(panel);
        widget->setObjectName(name);
        widget->setFont(fixed);
        widget->setUniformItemSizes(true);
        widget->setTextElideMode(Qt::ElideNone);
        widget->setSelectionMode(QAbstractItemView::ExtendedSelection);
        connect(widget->selectionModel(), &QItemSelectionModel::selectionChanged, this,
                [this, widget, list] { pushResultSelection(list, widget); });
        return widget;
    };
    m_resultat = makeResultList(QStringLiteral("Resultat"), 1);
    m_resultat2 = makeResultList(QStringLiteral("Resultat2"), 2);
    connect(m_resultat, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
        const int row = m_resultat->row(item);
        run([this, row] { m_ws.clickResultat(row); });
    });

    auto* busyRow = new QHBoxLayout;
    busyRow->addWidget(m_shape2);
    busyRow->addWidget(m_lblquoi);
    busyRow->addStretch();

    auto* lists = new QHBoxLayout;
    lists->addWidget(m_resultat, 1);
    lists->addWidget(m_resultat2, 1);

    auto* layout = new QVBoxLayout(panel);
    layout->setContentsMargins(4, 0, 4, 0);
    layout->addWidget(m_lblAff);
    layout->addWidget(m_lblPM);
    layout->addLayout(busyRow);
    layout->addLayout(lists, 1);
    return panel;
}

QWidget* MainWindow::buildEntryPanel()
{
    auto* panel = new QWidget(this);

    // Counters: dates of the first and last draw, number of draws, the shared Text1 box.
    m_prem = makeReadOnlyField(panel, QStringLiteral("Prem"), 10);
    m_dern = makeReadOnlyField(panel, QStringLiteral("Dern"), 10);
    m_nb = makeReadOnlyField(panel, QStringLiteral("nb"), 6);
    m_text1 = makeReadOnlyField(panel, QStringLiteral("Text1"), 6);
    m_label2 = makeLabel(panel, QStringLiteral("Label2"), QString());
    auto* text3 = makeLabel(panel, QStringLiteral("Text3"), QStringLiteral("Debut :"));
    auto* text4 = makeLabel(panel, QStringLiteral("Text4"), QStringLiteral("Fin :"));
    auto* statut = makeLabel(panel, QStringLiteral("Statut"), QStringLiteral("Nombre de tirages"));
    text3->setBuddy(m_prem);
    text4->setBuddy(m_dern);
    statut->setBuddy(m_nb);
    m_label2->setBuddy(m_text1);
    auto* counters = new QGridLayout;
    counters->addWidget(text3, 0, 0);
    counters->addWidget(m_prem, 0, 1);
    counters->addWidget(text4, 0, 2);
    counters->addWidget(m_dern, 0, 3);
    counters->addWidget(statut, 1, 0);
    counters->addWidget(m_nb, 1, 1);
    counters->addWidget(m_label2, 1, 2);
    counters->addWidget(m_text1, 1, 3);
    counters->setColumnStretch(1, 1);
    counters->setColumnStretch(3, 1);

    // The grid, rows of ten.
    auto* gridWidget = new QWidget(panel);
    gridWidget->setObjectName(QStringLiteral("grille"));
    auto* grid = new QGridLayout(gridWidget);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setHorizontalSpacing(2);
    grid->setVerticalSpacing(2);
    for (int n = 1; n <= 70; ++n) {
        auto* box = new QCheckBox(n < 10 ? QStringLiteral(" %1").arg(n) : QString::number(n), gridWidget);
        box->setObjectName(QStringLiteral("Check%1").arg(n));
        box->setToolTip(QStringLiteral("Choisir les numéros et faire les stats "));
        box->setAutoFillBackground(true);
        setBoxColour(box, false);
        connect(box, &QCheckBox::clicked, this, [this, n](bool on) {
            if (!run([this, n, on] { m_ws.setCheck(n, on); }))
                mirrorGrid();
        });
        m_checks[static_cast<size_t>(n)] = box;
        grid->addWidget(box, (n - 1) / 10, (n - 1) % 10);
    }

    m_repere = new QPushButton(QStringLiteral("Repérage --->"), panel);
    m_repere->setObjectName(QStringLiteral("CmsRepere"));
    m_repere->setToolTip(QStringLiteral("Repérer dans la liste les numéros cochés"));
    connect(m_repere, &QPushButton::clicked, this, [this] { runWorkspace(&Workspace::reperage); });

    // Manual entry.
    m_affichage = new QGroupBox(panel);
    m_affichage->setObjectName(QStringLiteral("Affichage"));
    // Its caption can hold a whole draw line: let it be cut rather than widen the panel.
    m_affichage->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    auto* label3 = makeLabel(m_affichage, QStringLiteral("label3"), QStringLiteral("Date   :  "));
    m_dat = makeReadOnlyField(m_affichage, QStringLiteral("dat"), 10);
    label3->setBuddy(m_dat);
    m_info = makeLabel(m_affichage, QStringLiteral("Info"), QString());
    m_ok = new QPushButton(QStringLiteral("OK"), m_affichage);
    m_ok->setObjectName(QStringLiteral("OK"));
    m_ok->setToolTip(QStringLiteral("Valider le tirage"));
    connect(m_ok, &QPushButton::clicked, this, [this] { runWorkspace(&Workspace::validateEntry); });
    m_annuler = new QPushButton(QStringLiteral("Effacer"), m_affichage);
    m_annuler->setObjectName(QStringLiteral("Annuler"));
    m_annuler->setToolTip(QStringLiteral("Effacer numéros cochés et listes"));
    connect(m_annuler, &QPushButton::clicked, this, [this] { runWorkspace(&Workspace::effacer); });
    auto* dateRow = new QHBoxLayout;
    dateRow->addWidget(label3);
    dateRow->addWidget(m_dat);
    dateRow->addStretch();
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_ok);
    buttons->addWidget(m_annuler);
    buttons->addStretch();
    auto* entryLayout = new QVBoxLayout(m_affichage);
    entryLayout->addLayout(dateRow);
    entryLayout->addWidget(m_info);
    entryLayout->addLayout(buttons);

    m_export = new QCheckBox(QStringLiteral("Exporter les calculs"), panel);
    m_export->setObjectName(QStringLiteral("Export"));
    m_export->setToolTip(QStringLiteral("Exporter les resultats dans un fichier "));
    connect(m_export, &QCheckBox::clicked, this, [this](bool on) {
        if (!run([this, on] { m_ws.setExportEnabled(on); }))
            mirrorMenus();
    });

    auto* repereRow = new QHBoxLayout;
    repereRow->addWidget(m_repere);
    repereRow->addStretch();
    repereRow->addWidget(m_export);

    auto* layout = new QVBoxLayout(panel);
    layout->setContentsMargins(4, 0, 4, 0);
    layout->addLayout(counters);
    layout->addSpacing(6);
    layout->addWidget(gridWidget);
    layout->addLayout(repereRow);
    layout->addWidget(m_affichage);
    layout->addStretch();
    return panel;
}

void MainWindow::buildMenus()
{
    const auto ws = [this](void (Workspace::*command)()) { return [this, command] { runWorkspace(command); }; };
    const QString sep = QStringLiteral("-");
    // Menus in menu-bar order, then every command in menu order.
    const QList<std::pair<QString, QString>> menus = {
        {QStringLiteral("Fichier"), QStringLiteral("&Fichier")},
        {QStringLiteral("Ed"), QStringLiteral("Edition")},
        {QStringLiteral("Statistiques"), QStringLiteral("S&tatistiques")},
        {QStringLiteral("m4"), QStringLiteral("Prevision")},
        {QStringLiteral("help"), QStringLiteral("Aide")},
        {QStringLiteral("Divers"), QStringLiteral("Divers")},
    };
    const QList<MenuCommand> commands = {
        {QStringLiteral("Fichier"), QStringLiteral("mnuCharge"), QStringLiteral("Charge Manuelle"),
         ws(&Workspace::chargeManuelle), QKeySequence(Qt::Key_F5)},
        {QStringLiteral("Fichier"), QStringLiteral("Telecharge"), QStringLiteral("Telechargement FDesJeux"),
         ws(&Workspace::telechargement), QKeySequence(Qt::CTRL | Qt::Key_D)},
        {QStringLiteral("Fichier"), QStringLiteral("Fin"), QStringLiteral("&Quitter"), [this] { close(); },
         QKeySequence(Qt::CTRL | Qt::Key_Q)},
        {QStringLiteral("Statistiques"), QStringLiteral("Debut"), QStringLiteral("Tous les tirages"),
         ws(&Workspace::telechargement), QKeySequence(Qt::CTRL | Qt::Key_T)},
        {QStringLiteral("Statistiques"), QStringLiteral("finP"), QStringLiteral("Periode d'etude"), ws(&Workspace::periodeEtude),
         QKeySequence(Qt::CTRL | Qt::Key_E)},
        {QStringLiteral("Statistiques"), QStringLiteral("m1"), sep, {}, {}},
        {QStringLiteral("Statistiques"), QStringLiteral("Ecarts"), QStringLiteral("Ecarts"), ws(&Workspace::ecarts),
         QKeySequence(Qt::Key_F6)},
        {QStringLiteral("Statistiques"), QStringLiteral("EMaxi"), QStringLiteral("Ecarts Max"), ws(&Workspace::ecartsMax),
         QKeySequence(Qt::Key_F7)},
        {QStringLiteral("Statistiques"), QStringLiteral("Sorties"), QStringLiteral("Sorties"), ws(&Workspace::sorties),
         QKeySequence(Qt::Key_F8)},
        {QStringLiteral("Statistiques"), QStringLiteral("Numero"), QStringLiteral("Numéro"), ws(&Workspace::numero),
         QKeySequence(Qt::Key_F9)},
        {QStringLiteral("Divers"), QStringLiteral("tc"), QStringLiteral("Tout cocher"), ws(&Workspace::toutCocher), {}},
    };

    QHash<QString, QMenu*> byName;
    for (const auto& [name, caption] : menus) {
        QMenu* menu = menuBar()->addMenu(caption);
        menu->setObjectName(name);
        menu->menuAction()->setObjectName(name + QStringLiteral("Menu"));
        byName.insert(name, menu);
    }
    for (const MenuCommand& item : commands) {
        QMenu* menu = byName.value(item.menu);
        Q_ASSERT(menu);
        if (item.caption == sep) {
            menu->addSeparator()->setObjectName(item.name);
            continue;
        }
        QAction* action = menu->addAction(item.caption);
        action->setObjectName(item.name);
        if (!item.shortcut.isEmpty())
            action->setShortcut(item.shortcut);
        connect(action, &QAction::triggered, this, item.handler);
        m_commands << action;
        if (item.name == QLatin1String("Telecharge"))
            m_telecharge = action;
        else if (item.name == QLatin1String("Fin"))
            m_fin = action;
    }
}

// ---------------------------------------------------------------- commands

void MainWindow::startUp()
{
    run([this] { m_ws.startUp(); });
}

bool MainWindow::run(const std::function<void()>& command)
{
    if (m_running)
        return false;
    m_running = true;
    command();
    m_running = false;
    if (m_closePending)
        QTimer::singleShot(0, this, [this] { close(); });
    return true;
}

void MainWindow::runWorkspace(void (Workspace::*command)())
{
    run([this, command] { std::invoke(command, m_ws); });
}

void MainWindow::pushResultSelection(int list, QListWidget* widget)
{
    if (m_mirroring)
        return;
    run([&] {
        FlagGuard pushing(m_pushingSelection);
        for (int row = 0; row < widget->count(); ++row) {
            const bool on = widget->item(row)->isSelected();
            const ResultList& model = list == 2 ? m_ws.report().resultat2 : m_ws.report().resultat;
            if (model.isSelected(row) != on)
                m_ws.setResultSelected(list, row, on);
        }
    });
    // Whether handed over or refused, the widget now shows the Workspace's selection.
    mirrorReport();
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    if (m_running) {
        // A download is waiting in its own event loop: stop it and close once it has returned.
        m_closePending = true;
        if (m_cancelDownload)
            m_cancelDownload();
        event->ignore();
        return;
    }
    if (!m_exitSaved) {
        m_exitSaved = true;
        m_ws.exitSave();
    }
    event->accept();
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_liste && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const int row = m_liste->currentRow();
        if (row >= 0 && (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter)) {
            run([this, row] { m_ws.clickListe(row); });
            return true;
        }
        if (row >= 0 && key->key() == Qt::Key_Space) {
            // As with the mouse, a double click is preceded by the click on its line.
            run([this, row] {
                m_ws.clickListe(row);
                m_ws.doubleClickListe();
            });
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

// ---------------------------------------------------------------- mirror

void MainWindow::mirror(unsigned parts)
{
    if (parts & Workspace::ListPart)
        mirrorList();
    if (parts & Workspace::ReportPart)
        mirrorReport();
    if (parts & Workspace::CountersPart)
        mirrorCounters();
    if (parts & Workspace::GridPart)
        mirrorGrid();
    if (parts & Workspace::EntryPart)
        mirrorEntry();
    if (parts & Workspace::MenuPart)
        mirrorMenus();
    if (parts & Workspace::ProgressPart)
        mirrorProgress();
    if (parts & Workspace::BusyPart)
        mirrorBusy();
}

void MainWindow::mirrorList()
{
    FlagGuard mirroring(m_mirroring);
    const QStringList& now = m_ws.liste();
    if (now != m_shownListe) {
        const QSignalBlocker blocker(m_liste);
        m_liste->setUpdatesEnabled(false);
        const qsizetype common = std::min(now.size(), m_shownListe.size());
        qsizetype changed = std::max(now.size(), m_shownListe.size()) - common;
        for (qsizetype i = 0; i < common && changed <= kIncrementalLimit; ++i)
            if (now[i] != m_shownListe[i])
                ++changed;
        if (changed > kIncrementalLimit) {
            m_liste->clear();
            m_liste->addItems(now);
        } else {
            for (qsizetype i = 0; i < common; ++i)
                if (now[i] != m_shownListe[i])
                    m_liste->item(static_cast<int>(i))->setText(now[i]);
            while (m_liste->count() > now.size())
                delete m_liste->takeItem(m_liste->count() - 1);
            if (now.size() > common)
                m_liste->addItems(now.mid(common));
        }
        m_liste->setUpdatesEnabled(true);
        m_shownListe = now;
    }
    const int selected = m_ws.selectedIndex();
    if (selected >= 0 && selected < m_liste->count() && m_liste->currentRow() != selected) {
        const QSignalBlocker blocker(m_liste);
        m_liste->setCurrentRow(selected);
        m_liste->scrollToItem(m_liste->item(selected));
    }
}

void MainWindow::mirrorResultList(QListWidget* widget, const ResultList& model, QStringList& shown)
{
    if (model.lines != shown) {
        widget->clear();
        widget->addItems(model.lines);
        shown = model.lines;
    }
    if (!m_pushingSelection) {
        for (int row = 0; row < widget->count(); ++row) {
            QListWidgetItem* item = widget->item(row);
            if (item->isSelected() != model.isSelected(row))
                item->setSelected(model.isSelected(row));
        }
    }
    widget->setVisible(model.visible);
    widget->setMinimumWidth(model.widthTwips * logicalDpiX() / 1440);
}

void MainWindow::mirrorReport()
{
    FlagGuard mirroring(m_mirroring);
    const ReportModel& report = m_ws.report();
    m_lblAff->setText(report.title);
    m_lblPM->setText(report.caption);
    m_lblquoi->setText(report.status);
    mirrorResultList(m_resultat, report.resultat, m_shownResultat);
    mirrorResultList(m_resultat2, report.resultat2, m_shownResultat2);
}

void MainWindow::mirrorCounters()
{
    const Workspace::Counters& c = m_ws.counters();
    m_text1->setText(c.text1);
    m_label2->setText(c.label2);
    m_nb->setText(c.nb);
    m_prem->setText(c.prem);
    m_dern->setText(c.dern);
}

void MainWindow::mirrorGrid()
{
    FlagGuard mirroring(m_mirroring);
    const auto& checks = m_ws.checks();
    for (size_t n = 1; n <= 70; ++n) {
        QCheckBox* box = m_checks[n];
        if (box->isChecked() != checks[n]) {
            const QSignalBlocker blocker(box);
            box->setChecked(checks[n]);
        }
        setBoxColour(box, checks[n]);
    }
    m_ok->setEnabled(m_ws.okEnabled());
    m_annuler->setEnabled(m_ws.annulerEnabled());
}

void MainWindow::mirrorEntry()
{
    const Workspace::EntryFields& entry = m_ws.entry();
    m_dat->setText(entry.dat);
    m_info->setText(entry.info);
    m_affichage->setTitle(entry.affichage);
}

void MainWindow::mirrorMenus()
{
    setWindowTitle(m_ws.windowTitle() + m_titleSuffix);
    if (m_export->isChecked() != m_ws.exportEnabled()) {
        const QSignalBlocker blocker(m_export);
        m_export->setChecked(m_ws.exportEnabled());
    }
    updateAvailability();
}

void MainWindow::mirrorProgress()
{
    const Workspace::Progress& p = m_ws.progress();
    m_progress->setRange(0, std::max(0, p.maximum)); // a maximum of 0 shows a busy bar
    m_progress->setValue(p.value);
    m_progress->setVisible(p.visible);
    m_stop->setVisible(p.visible);
    updateAvailability();
}

void MainWindow::mirrorBusy()
{
    const bool busy = m_ws.report().busy;
    m_lblquoi->setText(m_ws.report().status);
    m_lblquoi->setVisible(busy);
    m_lblquoi->repaint();
    m_shape2->setVisible(busy);
    m_shape2->repaint();
}

void MainWindow::updateAvailability()
{
    // While an archive download waits in its event loop nothing may start another command;
    // only the stop button (and closing, which stops the download first) stays available.
    const bool idle = !m_ws.progress().visible;
    for (QAction* action : std::as_const(m_commands)) {
        bool enabled = idle || action == m_fin;
        if (action == m_telecharge)
            enabled = enabled && m_ws.telechargeEnabled();
        action->setEnabled(enabled);
    }
    m_splitter->setEnabled(idle);
    m_stop->setEnabled(!idle);
}
