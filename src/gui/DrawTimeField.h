// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "chance/Ticket.h"

#include <QWidget>

class DateField;
class QComboBox;

// A draw of a game: its day, and which draw of that day in a list of the game's draw words,
// shown only for a game drawn more than once a day.
class DrawTimeField : public QWidget {
    Q_OBJECT
public:
    // `name` prefixes the object names of the day ("…") and of the draw ("…Tirage").
    explicit DrawTimeField(const QString& name, QWidget* parent = nullptr);

    // The game whose draws are offered; the draw shown becomes `time`.
    void setGame(const Formula& game, const DrawTime& time);
    void setTime(const DrawTime& time);
    DrawTime time() const;

private:
    DateField* m_day = nullptr;
    QComboBox* m_slot = nullptr;
};
