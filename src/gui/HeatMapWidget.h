// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>
#include <array>

class Workspace;

// The 70 numbers in the grid's rows of ten, each coloured by how far its appearances over the
// study period stand from chance (standardised deviation: blue below, red above, white at 0),
// with a legend. Given a Workspace, it follows its statistics after every computation.
class HeatMapWidget : public QWidget {
    Q_OBJECT
public:
    explicit HeatMapWidget(Workspace* workspace, QWidget* parent = nullptr);

    void setDeviations(const std::array<double, 71>& deviations);
    const std::array<double, 71>& deviations() const { return m_deviations; }
    // Deviations beyond ±kScale take the full colour.
    static constexpr double kScale = 3.0;
    static QColor colorFor(double deviation);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void refresh();
    QRectF cell(int number) const;

    Workspace* m_ws;
    std::array<double, 71> m_deviations{};
};
