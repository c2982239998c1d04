// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/DateField.h"

#include <QKeyEvent>
#include <QLineEdit>

namespace {
bool isSeparator(QChar c)
{
    return c == u'/' || c == u'.' || c == u'-' || c == u' ';
}
} // namespace

DateField::DateField(QWidget* parent) : QDateEdit(parent)
{
    setDisplayFormat(QStringLiteral("dd/MM/yyyy"));
}

void DateField::keyPressEvent(QKeyEvent* event)
{
    const QString text = event->text();
    const QChar c = text.size() == 1 ? text.front() : QChar();
    if (c.isDigit() && (event->modifiers() & ~(Qt::ShiftModifier | Qt::KeypadModifier)) == 0) {
        if (!m_typing) {
            m_typing = true;
            m_digits.clear();
        }
        m_digits += c;
        if (m_digits.size() == 8) {
            const QDate typed = QDate::fromString(m_digits, QStringLiteral("ddMMyyyy"));
            stopTyping();
            if (typed.isValid())
                setDate(typed); // clamped to the allowed range
        } else {
            showTyped();
        }
        event->accept();
        return;
    }
    if (m_typing && isSeparator(c)) {
        // "1/" means "01/": pad the day or month being typed; an empty group ignores it.
        const qsizetype typed = m_digits.size();
        const qsizetype groupStart = typed < 2 ? 0 : 2;
        const qsizetype groupEnd = groupStart + 2;
        if (typed < 4 && typed > groupStart && typed < groupEnd)
            m_digits.insert(groupStart, u'0');
        showTyped();
        event->accept();
        return;
    }
    if (m_typing && event->key() == Qt::Key_Backspace) {
        m_digits.chop(1);
        showTyped();
        event->accept();
        return;
    }
    if (m_typing) {
        stopTyping();
        if (event->key() == Qt::Key_Escape) {
            event->accept();
            return;
        }
    }
    QDateEdit::keyPressEvent(event);
}

void DateField::focusOutEvent(QFocusEvent* event)
{
    if (m_typing)
        stopTyping();
    QDateEdit::focusOutEvent(event);
}

void DateField::showTyped()
{
    QString shown;
    for (int i = 0; i < m_digits.size(); ++i) {
        if (i == 2 || i == 4)
            shown += u'/';
        shown += m_digits[i];
    }
    if (m_digits.size() == 2 || m_digits.size() == 4)
        shown += u'/';
    lineEdit()->setText(shown);
}

void DateField::stopTyping()
{
    m_typing = false;
    m_digits.clear();
    // Back to the date as it stands.
    lineEdit()->setText(textFromDateTime(dateTime()));
}
