// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "forecast/TipsSequence.h"

#include <QWidget>

class QLabel;

// "Astuce": one usage tip at a time from the tips file, a random one first, then "Conseil
// suivant" in file order. A missing or faulty file is said in the tip's place.
class TipsWindow : public QWidget {
    Q_OBJECT
public:
    // Reads `tipsPath` (empty: not found) once, as the window loads.
    explicit TipsWindow(const QString& tipsPath, QWidget* parent = nullptr);

    QString tipText() const;
    const TipsSequence& sequence() const { return m_sequence; }

private:
    void showCurrent();

    TipsSequence m_sequence;
    QLabel* m_tip = nullptr;
};
