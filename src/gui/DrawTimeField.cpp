// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/DrawTimeField.h"

#include "gui/DateField.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <algorithm>

DrawTimeField::DrawTimeField(const QString& name, QWidget* parent) : QWidget(parent), m_day(new DateField), m_slot(new QComboBox)
{
    m_day->setObjectName(name);
    m_slot->setObjectName(name + QStringLiteral("Tirage"));
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_day);
    layout->addWidget(m_slot);
    layout->addStretch();
}

void DrawTimeField::setGame(const Formula& game, const DrawTime& time)
{
    m_slot->clear();
    for (const DrawSlot& slot : game.drawSlots)
        m_slot->addItem(slot.word);
    // A game drawn once a day has nothing to choose.
    m_slot->setVisible(game.slotCount() > 1);
    setTime(time);
}

void DrawTimeField::setTime(const DrawTime& time)
{
    m_day->setDate(time.day);
    m_slot->setCurrentIndex(time.slot);
}

DrawTime DrawTimeField::time() const
{
    return DrawTime{m_day->date(), std::max(m_slot->currentIndex(), 0)};
}
