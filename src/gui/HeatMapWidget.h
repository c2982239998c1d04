// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "history/Formula.h"

#include <QWidget>
#include <array>

class Workspace;

// The game's numbers in the grid's rows, each coloured by how far its appearances over the
// study period stand from chance (standardised deviation: blue below, red above, white at 0),
// with a legend. Given a Workspace, it follows its statistics and its game after every computation.
class HeatMapWidget : public QWidget {
    Q_OBJECT
public:
    explicit HeatMapWidget(Workspace* workspace, QWidget* parent = nullptr);

    using Deviations = std::array<double, Formula::kMaxNumber + 1>;

    void setDeviations(const Deviations& deviations);
    const Deviations& deviations() const { return m_deviations; }
    // The game whose numbers are shown.
    void setFormula(const Formula& formula);
    const Formula& formula() const { return *m_formula; }
    // Where number n's cell stands.
    QRectF cell(int number) const;
    // Deviations beyond ±kScale take the full colour.
    static constexpr double kScale = 3.0;
    static QColor colorFor(double deviation);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void refresh();

    Workspace* m_ws;
    const Formula* m_formula = &Formula::classic();
    Deviations m_deviations{};
};
