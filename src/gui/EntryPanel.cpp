// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/EntryPanel.h"

#include "gui/CommandRunner.h"
#include "history/MultiplierFile.h"
#include "shell/Catalogue.h"
#include "shell/CommandUnits.h"
#include "shell/Workspace.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>
#include <algorithm>

namespace {

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
    label->setTextFormat(Qt::PlainText);
    return label;
}

} // namespace

EntryPanel::EntryPanel(Workspace& workspace, CommandRunner& runner, QWidget* parent)
    : QWidget(parent), m_ws(workspace), m_runner(runner)
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 0, 4, 0);
    layout->addLayout(buildCounters());
    layout->addWidget(buildEntryFrame());
    layout->addWidget(buildExportBox());
    auto* graph = new QPushButton(QStringLiteral("Graph"), this);
    graph->setObjectName(QStringLiteral("cmdGraph"));
    connect(graph, &QPushButton::clicked, this, &EntryPanel::graphClicked);
    layout->addWidget(graph, 0, Qt::AlignLeft);
    layout->addStretch();
}

// Dates of the first and last draw, number of draws, the shared Text1 box.
QLayout* EntryPanel::buildCounters()
{
    m_prem = makeReadOnlyField(this, QStringLiteral("Prem"), 10);
    m_dern = makeReadOnlyField(this, QStringLiteral("Dern"), 10);
    m_nb = makeReadOnlyField(this, QStringLiteral("nb"), 6);
    m_text1 = makeReadOnlyField(this, QStringLiteral("Text1"), 6);
    m_label2 = makeLabel(this, QStringLiteral("Label2"), QString());
    auto* text3 = makeLabel(this, QStringLiteral("Text3"), QStringLiteral("Debut :"));
    auto* text4 = makeLabel(this, QStringLiteral("Text4"), QStringLiteral("Fin :"));
    auto* statut = makeLabel(this, QStringLiteral("Statut"), QStringLiteral("Nombre de tirages"));
    text3->setBuddy(m_prem);
    text4->setBuddy(m_dern);
    statut->setBuddy(m_nb);
    m_label2->setBuddy(m_text1);
    auto* counters = new QGridLayout;
    counters->addWidget(text3, 0, 0);
    counters->addWidget(m_prem, 0, 1);
    counters->addWidget(text4, 1, 0);
    counters->addWidget(m_dern, 1, 1);
    counters->addWidget(statut, 2, 0);
    counters->addWidget(m_nb, 2, 1);
    counters->addWidget(m_label2, 3, 0);
    counters->addWidget(m_text1, 3, 1);
    counters->setColumnStretch(1, 1);
    return counters;
}

// Manual entry. The frame's title is left empty: a title is cut at the frame's edge.
QGroupBox* EntryPanel::buildEntryFrame()
{
    m_affichage = new QGroupBox(this);
    m_affichage->setObjectName(QStringLiteral("Affichage"));
    m_caption = makeLabel(m_affichage, QStringLiteral("AffichageCaption"), QString());
    m_caption->setWordWrap(true);
    QFont captionFont = m_caption->font();
    captionFont.setBold(true);
    m_caption->setFont(captionFont);
    auto* label3 = makeLabel(m_affichage, QStringLiteral("label3"), QStringLiteral("Date   :  "));
    m_dat = makeReadOnlyField(m_affichage, QStringLiteral("dat"), 10);
    label3->setBuddy(m_dat);
    m_info = makeLabel(m_affichage, QStringLiteral("Info"), QString());
    auto* dateRow = new QHBoxLayout;
    dateRow->addWidget(label3);
    dateRow->addWidget(m_dat);
    dateRow->addStretch();
    auto* entryLayout = new QVBoxLayout(m_affichage);
    entryLayout->addWidget(m_caption);
    entryLayout->addLayout(dateRow);
    entryLayout->addLayout(buildMultiplierRow());
    entryLayout->addWidget(m_info);
    entryLayout->addLayout(buildEntryButtons());
    return m_affichage;
}

// Optional: the draw's multiplier when the player knows it, "—" otherwise. A draw chosen in the
// list shows its own, so "—" chosen over it takes it away.
QLayout* EntryPanel::buildMultiplierRow()
{
    m_multiplier = new QComboBox(m_affichage);
    m_multiplier->setObjectName(QStringLiteral("multiplicateur"));
    m_multiplier->setToolTip(QStringLiteral("Multiplicateur du tirage (facultatif) ; « — » : aucun n'est connu"));
    m_multiplier->addItem(QStringLiteral("—"), 0);
    for (int m = MultiplierFile::kLeast; m <= MultiplierFile::kMost; ++m)
        m_multiplier->addItem(QStringLiteral("x%1").arg(m), m);
    connect(m_multiplier, &QComboBox::activated, this, [this](int index) {
        const int value = m_multiplier->itemData(index).toInt();
        if (!m_runner.run([this, value] { m_ws.units().entry.setMultiplier(value); }))
            mirrorEntry();
    });
    auto* label = makeLabel(m_affichage, QStringLiteral("multiplicateurLabel"), QStringLiteral("Multiplicateur :"));
    label->setBuddy(m_multiplier);
    auto* row = new QHBoxLayout;
    row->addWidget(label);
    row->addWidget(m_multiplier);
    row->addStretch();
    return row;
}

QLayout* EntryPanel::buildEntryButtons()
{
    m_ok = new QPushButton(QStringLiteral("OK"), m_affichage);
    m_ok->setObjectName(QStringLiteral("OK"));
    m_ok->setToolTip(QStringLiteral("Valider le tirage"));
    // The catalogue's command, as the command line's add: the tickets that win on the draw are told.
    connect(m_ok, &QPushButton::clicked, this, [this] {
        m_runner.run([this] { m_ws.announce(Catalogue::findCli(QStringLiteral("add"))->handler(m_ws.units(), 0)); });
    });
    m_annuler = new QPushButton(QStringLiteral("Effacer"), m_affichage);
    m_annuler->setObjectName(QStringLiteral("Annuler"));
    m_annuler->setToolTip(QStringLiteral("Effacer numéros cochés et listes"));
    connect(m_annuler, &QPushButton::clicked, this, [this] { m_runner.run([this] { m_ws.units().entry.effacer(); }); });
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_ok);
    buttons->addWidget(m_annuler);
    buttons->addStretch();
    return buttons;
}

QCheckBox* EntryPanel::buildExportBox()
{
    m_export = new QCheckBox(QStringLiteral("Exporter les calculs"), this);
    m_export->setObjectName(QStringLiteral("Export"));
    m_export->setToolTip(QStringLiteral("Exporter les resultats dans un fichier "));
    connect(m_export, &QCheckBox::clicked, this, [this](bool on) {
        if (!m_runner.run([this, on] { m_ws.setExportEnabled(on); }))
            mirrorExport();
    });
    return m_export;
}

void EntryPanel::mirrorCounters()
{
    const Workspace::Counters& c = m_ws.counters();
    m_text1->setText(c.text1);
    m_label2->setText(c.label2);
    m_nb->setText(c.nb);
    m_prem->setText(c.prem);
    m_dern->setText(c.dern);
}

void EntryPanel::mirrorEntry()
{
    const Workspace::EntryFields& entry = m_ws.entry();
    m_dat->setText(entry.dat);
    m_info->setText(entry.info);
    m_caption->setText(entry.affichage);
    const QSignalBlocker blocker(m_multiplier);
    m_multiplier->setCurrentIndex(std::max(m_multiplier->findData(entry.multiplier), 0));
}

void EntryPanel::mirrorButtons()
{
    m_ok->setEnabled(m_ws.okEnabled());
    m_annuler->setEnabled(m_ws.annulerEnabled());
}

void EntryPanel::mirrorExport()
{
    if (m_export->isChecked() != m_ws.exportEnabled()) {
        const QSignalBlocker blocker(m_export);
        m_export->setChecked(m_ws.exportEnabled());
    }
}
