// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDateEdit>

// A date picker ("dd/MM/yyyy") into which a whole date can be typed. Digits typed replace the
// whole date: the separators may be typed or left out, a separator after a single digit
// pads it with a zero; the date is taken once its eight digits are in, and an unfinished
// entry is dropped on Escape or when the field loses the focus. (Typed section by section,
// a date edit refuses every intermediate date below its minimum and mixes the sections up.)
// The arrow keys, the wheel and the calendar still change the date as usual.
class DateField : public QDateEdit {
    Q_OBJECT
public:
    explicit DateField(QWidget* parent = nullptr);

    bool typing() const { return m_typing; }

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void showTyped();
    void stopTyping();

    bool m_typing = false;
    QString m_digits; // up to 8: ddMMyyyy
};
