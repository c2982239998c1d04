#include "gui/ReportPanel.h"

#include "gui/CommandRunner.h"
#include "shell/Workspace.h"

#include <QFontDatabase>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QRegularExpression>

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
        m_runner.run([this, row] { m_ws.clickResultat(row); });
    });

    auto* busyRow = new QHBoxLayout;
    busyRow->addWidget(m_shape2);
    busyRow->addWidget(m_lblquoi);
    busyRow->addStretch();

    // One grid for the caption halves and the lists, so each half starts where its list does.
    auto* layout = new QGridLayout(this);
    layout->setContentsMargins(4, 0, 4, 0);
    layout->addWidget(m_lblAff, 0, 0, 1, 2);
    layout->addLayout(busyRow, 1, 0, 1, 2);
    layout->addWidget(m_lblPM, 2, 0);
    layout->addWidget(m_lblPMRight, 2, 1);
    layout->addWidget(m_resultat, 3, 0);
    layout->addWidget(m_resultat2, 3, 1);
    m_label1 = new QLabel(this);
    m_label1->setObjectName(QStringLiteral("Label1"));
    layout->addWidget(m_label1, 4, 0, 1, 2);
    layout->setColumnStretch(0, 1);
    layout->setColumnStretch(1, 1);
    layout->setRowStretch(3, 1);
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

void ReportPanel::mirrorList(QListWidget* widget, const ResultList& model, QStringList& shown)
{
    if (model.lines != shown) {
        widget->clear();
        widget->addItems(model.lines);
        shown = model.lines;
    }
    if (!m_pushing) {
        for (int row = 0; row < widget->count(); ++row) {
            QListWidgetItem* item = widget->item(row);
            if (item->isSelected() != model.isSelected(row))
                item->setSelected(model.isSelected(row));
        }
    }
    widget->setVisible(model.visible);
    widget->setMinimumWidth(model.widthTwips * logicalDpiX() / 1440);
}

void ReportPanel::mirror()
{
    FlagGuard mirroring(m_mirroring);
    const ReportModel& report = m_ws.report();
    m_lblAff->setText(report.title);
    const auto [left, right] = splitCaption(report.caption);
    m_lblPM->setText(left);
    m_lblPMRight->setText(right);
    m_lblquoi->setText(report.status);
    mirrorList(m_resultat, report.resultat, m_shownResultat);
    mirrorList(m_resultat2, report.resultat2, m_shownResultat2);
    m_label1->setText(m_ws.label1());
    if (m_ws.walkRunning())
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
