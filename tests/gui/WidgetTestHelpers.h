#pragma once

// Small input helpers for the widget tests: real events sent to the widgets, so the tests go
// through the same paths as a person using the mouse and the keyboard.

#include <QAbstractItemView>
#include <QApplication>
#include <QKeyEvent>
#include <QListWidget>
#include <QMouseEvent>

namespace WidgetTest {

inline void sendMouse(QWidget* target, QEvent::Type type, const QPoint& pos)
{
    const Qt::MouseButtons buttons = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
    QMouseEvent event(type, QPointF(pos), QPointF(target->mapToGlobal(pos)), Qt::LeftButton, buttons, Qt::NoModifier);
    QApplication::sendEvent(target, &event);
}

inline QPoint itemCentre(QListWidget* list, int row)
{
    QListWidgetItem* item = list->item(row);
    list->scrollToItem(item);
    return list->visualItemRect(item).center();
}

inline void clickRow(QListWidget* list, int row)
{
    const QPoint pos = itemCentre(list, row);
    sendMouse(list->viewport(), QEvent::MouseButtonPress, pos);
    sendMouse(list->viewport(), QEvent::MouseButtonRelease, pos);
}

inline void doubleClickRow(QListWidget* list, int row)
{
    const QPoint pos = itemCentre(list, row);
    sendMouse(list->viewport(), QEvent::MouseButtonPress, pos);
    sendMouse(list->viewport(), QEvent::MouseButtonRelease, pos);
    sendMouse(list->viewport(), QEvent::MouseButtonDblClick, pos);
    sendMouse(list->viewport(), QEvent::MouseButtonRelease, pos);
}

inline void pressKey(QWidget* target, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QKeyEvent press(QEvent::KeyPress, key, modifiers);
    QApplication::sendEvent(target, &press);
    QKeyEvent release(QEvent::KeyRelease, key, modifiers);
    QApplication::sendEvent(target, &release);
}

} // namespace WidgetTest
