// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/ReportPanel.h"

#include "analyses/CombinationWalk.h"
#include "gui/CommandRunner.h"
#include "shell/CommandUnits.h"
#include "shell/Workspace.h"

#include <QFontDatabase>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QRegularExpression>
#include <QScrollBar>
#include <QVBoxLayout>

#include <algorithm>
#include <limits>

namespace {

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

constexpr int kItemMargin = 8; // the item's own padding either side of its text

QLabel* makeLabel(QWidget* parent, const QString& name, const QFont& font)
{
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    label->setFont(font);
    label->setTextFormat(Qt::PlainText);
    return label;
}

} // namespace

ReportPanel::ReportPanel(Workspace& workspace, CommandRunner& runner, QWidget* parent)
    : QWidget(parent), m_ws(workspace), m_runner(runner)
{
    const QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    QFont titleFont = font();
    titleFont.setBold(true);
    m_lblAff = makeLabel(this, QStringLiteral("lblAff"), titleFont);
    m_lblPM = makeLabel(this, QStringLiteral("lblPM"), fixed);
    m_lblPMRight = makeLabel(this, QStringLiteral("lblPM2"), fixed);
    QLayout* busyRow = buildBusyRow();
    buildResultLists(fixed);
    QLayout* titleRow = buildTitleRow();
    QLayout* lists = buildColumns();

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 0, 4, 0);
    layout->addLayout(titleRow);
    layout->addLayout(busyRow);
    layout->addLayout(lists, 1);
    m_label1 = new QLabel(this);
    m_label1->setObjectName(QStringLiteral("Label1"));
    layout->addWidget(m_label1);
}

// The busy indicator: the status text `lblquoi` after the green square `Shape2`.
QLayout* ReportPanel::buildBusyRow()
{
    m_lblquoi = makeLabel(this, QStringLiteral("lblquoi"), font());
    m_shape2 = new QFrame(this);
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
    auto* busyRow = new QHBoxLayout;
    busyRow->addWidget(m_shape2);
    busyRow->addWidget(m_lblquoi);
    busyRow->addStretch();
    return busyRow;
}

void ReportPanel::buildResultLists(const QFont& fixed)
{
    const auto makeResultList = [&](const QString& name, int list) {
        auto* widget = new QListWidget(this);
        widget->setObjectName(name);
        widget->setFont(fixed);
        widget->setUniformItemSizes(true);
        widget->setTextElideMode(Qt::ElideNone);
        widget->setSelectionMode(QAbstractItemView::ExtendedSelection);
        connect(widget->selectionModel(), &QItemSelectionModel::selectionChanged, this,
                [this, widget, list] { pushSelection(list, widget); });
        return widget;
    };
    m_resultat = makeResultList(QStringLiteral("Resultat"), 1);
    m_resultat2 = makeResultList(QStringLiteral("Resultat2"), 2);
    connect(m_resultat, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
        const int row = m_resultat->row(item);
        m_runner.run([this, row] { m_ws.units().entry.clickResultat(row); });
    });
}

// Shown only in the window: the title label and the exports keep the title the reports leave
// there, which is sometimes another report's.
QLayout* ReportPanel::buildTitleRow()
{
    m_lblRapport = makeLabel(this, QStringLiteral("lblRapport"), font());
    QFont italic = font();
    italic.setItalic(true);
    m_lblRapport->setFont(italic);
    auto* titleRow = new QHBoxLayout;
    titleRow->addWidget(m_lblAff);
    titleRow->addSpacing(12);
    titleRow->addWidget(m_lblRapport);
    titleRow->addStretch();
    return titleRow;
}

// Each list stands in a column under its caption half; a hidden list gives its width to the
// other one.
QLayout* ReportPanel::buildColumns()
{
    const auto makeColumn = [this](QLabel* caption, QListWidget* list) {
        auto* column = new QWidget(this);
        auto* columnLayout = new QVBoxLayout(column);
        columnLayout->setContentsMargins(0, 0, 0, 0);
        columnLayout->addWidget(caption);
        columnLayout->addWidget(list, 1);
        return column;
    };
    m_column1 = makeColumn(m_lblPM, m_resultat);
    m_column2 = makeColumn(m_lblPMRight, m_resultat2);
    m_lists = new QHBoxLayout;
    m_lists->addWidget(m_column1, 1);
    m_lists->addWidget(m_column2, 1);
    return m_lists;
}

int ReportPanel::listWidthFor(const QListWidget* widget, const QStringList& lines, int leastWidth)
{
    // The lists use a fixed-pitch font: the line with the most characters is the widest.
    const QString* longest = nullptr;
    for (const QString& line : lines)
        if (!longest || line.size() > longest->size())
            longest = &line;
    const int text = longest ? widget->fontMetrics().horizontalAdvance(*longest) + kItemMargin : 0;
    const int chrome = widget->verticalScrollBar()->sizeHint().width() + 2 * widget->frameWidth();
    return std::max(leastWidth, text + chrome);
}

std::pair<QString, QString> ReportPanel::splitCaption(const QString& caption)
{
    static const QRegularExpression gap(QStringLiteral("\\S( {2,})\\S"));
    const QRegularExpressionMatch match = gap.match(caption);
    if (!match.hasMatch())
        return {caption, QString()};
    return {caption.left(match.capturedStart(1)), caption.mid(match.capturedEnd(1))};
}

void ReportPanel::pushSelection(int list, QListWidget* widget)
{
    if (m_mirroring)
        return;
    m_runner.run([&] {
        FlagGuard pushing(m_pushing);
        for (int row = 0; row < widget->count(); ++row) {
            const bool on = widget->item(row)->isSelected();
            const ResultList& model = list == 2 ? m_ws.report().resultat2 : m_ws.report().resultat;
            if (model.isSelected(row) != on)
                m_ws.setResultSelected(list, row, on);
        }
    });
    // Whether handed over or refused, the widget now shows the Workspace's selection.
    mirror();
}

int ReportPanel::listCap() const
{
    if (m_widthLimit <= 0)
        return std::numeric_limits<int>::max();
    const ReportModel& report = m_ws.report();
    const int shown = std::max(1, int(report.resultat.visible) + int(report.resultat2.visible));
    const QMargins margins = layout()->contentsMargins();
    const int room = m_widthLimit - margins.left() - margins.right() - (shown - 1) * std::max(0, m_lists->spacing());
    return std::max(room / shown, 1);
}

bool ReportPanel::fitListWidths()
{
    bool changed = false;
    const ReportModel& report = m_ws.report();
    const std::pair<QListWidget*, const ResultList*> lists[] = {{m_resultat, &report.resultat}, {m_resultat2, &report.resultat2}};
    for (const auto& [widget, model] : lists) {
        const int least = model->widthTwips * logicalDpiX() / 1440;
        const int width = std::min(listWidthFor(widget, model->lines, least), listCap());
        changed = changed || width != widget->minimumWidth();
        widget->setMinimumWidth(width);
    }
    return changed;
}

void ReportPanel::setWidthLimit(int width)
{
    if (width == m_widthLimit)
        return;
    m_widthLimit = width;
    if (fitListWidths())
        emit neededWidthChanged();
}

void ReportPanel::mirrorList(QListWidget* widget, QWidget* column, const ResultList& model, QStringList& shown)
{
    bool resized = false;
    if (model.lines != shown) {
        widget->clear();
        widget->addItems(model.lines);
        shown = model.lines;
        // One cell as wide as the longest line: the horizontal scroll range is right and the
        // layout stays fast on thousands of lines.
        const int cell
            = listWidthFor(widget, model.lines, 0) - widget->verticalScrollBar()->sizeHint().width() - 2 * widget->frameWidth();
        widget->setGridSize(QSize(std::max(cell, 1), widget->fontMetrics().height() + 2));
        resized = true;
    }
    if (!m_pushing) {
        for (int row = 0; row < widget->count(); ++row) {
            QListWidgetItem* item = widget->item(row);
            if (item->isSelected() != model.isSelected(row))
                item->setSelected(model.isSelected(row));
        }
    }
    if (column->isHidden() == model.visible)
        resized = true;
    column->setVisible(model.visible);
    if (resized)
        emit neededWidthChanged();
}

void ReportPanel::mirror()
{
    FlagGuard mirroring(m_mirroring);
    const ReportModel& report = m_ws.report();
    m_lblAff->setText(report.title);
    m_lblRapport->setText(report.shownReport.isEmpty() ? QString()
                                                       : QStringLiteral("(rapport affiché : %1)").arg(report.shownReport));
    m_lblRapport->setVisible(!report.shownReport.isEmpty());
    const auto [left, right] = splitCaption(report.caption);
    m_lblPM->setText(left);
    m_lblPMRight->setText(right);
    m_lblquoi->setText(report.status);
    const QStringList& records = report.resultat.lines;
    // A walk's newest records, and the line saying where a stopped walk got to, are in sight.
    const bool walkEnds = records != m_shownResultat && !records.isEmpty() && CombinationWalk::isStoppedLine(records.last());
    mirrorList(m_resultat, m_column1, report.resultat, m_shownResultat);
    mirrorList(m_resultat2, m_column2, report.resultat2, m_shownResultat2);
    if (fitListWidths())
        emit neededWidthChanged();
    m_label1->setText(m_ws.units().analyses.label1());
    if (m_ws.units().analyses.walkRunning() || walkEnds)
        m_resultat->scrollToBottom();
}

void ReportPanel::mirrorBusy()
{
    const bool busy = m_ws.report().busy;
    m_lblquoi->setText(m_ws.report().status);
    m_lblquoi->setVisible(busy);
    m_lblquoi->repaint();
    m_shape2->setVisible(busy);
    m_shape2->repaint();
}
