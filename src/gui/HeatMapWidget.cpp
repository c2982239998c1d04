// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/HeatMapWidget.h"

#include "chance/ChanceText.h"
#include "chance/HeatMapValues.h"
#include "shell/Workspace.h"

#include <QLinearGradient>
#include <QPainter>
#include <algorithm>

namespace {

constexpr int kLegendHeight = 44;

} // namespace

HeatMapWidget::HeatMapWidget(Workspace* workspace, QWidget* parent) : QWidget(parent), m_ws(workspace)
{
    setObjectName(QStringLiteral("carteHasard"));
    setMinimumSize(300, 220);
    if (m_ws) {
        connect(m_ws, &Workspace::changed, this, [this](unsigned) { refresh(); });
        refresh();
    }
}

void HeatMapWidget::refresh()
{
    setFormula(m_ws->liste().formula());
    if (!m_ws->statsValid())
        return;
    const auto z
        = HeatMapValues::deviations(m_ws->stats(), HeatMapValues::periodLength(m_ws->studyPeriod()), m_ws->matrix().formula());
    if (z != m_deviations)
        setDeviations(z);
}

void HeatMapWidget::setDeviations(const Deviations& deviations)
{
    m_deviations = deviations;
    update();
}

void HeatMapWidget::setFormula(const Formula& formula)
{
    if (m_formula == &formula)
        return;
    m_formula = &formula;
    updateGeometry();
    update();
}

QColor HeatMapWidget::colorFor(double deviation)
{
    const double t = std::clamp(deviation / kScale, -1.0, 1.0);
    const int fade = static_cast<int>(255 * (1.0 - std::abs(t)) + 0.5);
    return t >= 0 ? QColor(255, fade, fade) : QColor(fade, fade, 255);
}

QSize HeatMapWidget::sizeHint() const
{
    return {m_formula->gridColumns * 44, m_formula->gridRows() * 32 + kLegendHeight};
}

QRectF HeatMapWidget::cell(int number) const
{
    const int columns = m_formula->gridColumns;
    const double w = width() / double(columns);
    const double h = (height() - kLegendHeight) / double(m_formula->gridRows());
    const int row = (number - 1) / columns, column = (number - 1) % columns;
    return {column * w, row * h, w, h};
}

void HeatMapWidget::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.fillRect(rect(), palette().window());
    for (int n = 1; n <= m_formula->numbers; ++n) {
        const QRectF r = cell(n).adjusted(1, 1, -1, -1);
        const double z = m_deviations[static_cast<size_t>(n)];
        p.fillRect(r, colorFor(z));
        p.setPen(Qt::black);
        p.drawRect(r);
        p.drawText(r, Qt::AlignCenter, QString::number(n) + QLatin1Char('\n') + ChanceText::signedDecimal(z, 1));
    }
    // Legend: the colour scale from −kScale to +kScale.
    const double top = height() - kLegendHeight + 6;
    const QRectF bar(width() * 0.1, top, width() * 0.8, 12);
    QLinearGradient gradient(bar.topLeft(), bar.topRight());
    gradient.setColorAt(0.0, colorFor(-kScale));
    gradient.setColorAt(0.5, colorFor(0));
    gradient.setColorAt(1.0, colorFor(kScale));
    p.fillRect(bar, gradient);
    p.drawRect(bar);
    const QRectF labels(bar.left() - 20, bar.bottom() + 2, bar.width() + 40, 14);
    p.drawText(labels, Qt::AlignLeft, QStringLiteral("-3"));
    p.drawText(labels, Qt::AlignHCenter, QStringLiteral("0 : écart réduit des sorties"));
    p.drawText(labels, Qt::AlignRight, QStringLiteral("+3"));
}
