// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/DialogUi.h"

#include "gui/CalendarFilterWindow.h"
#include "history/CalendarFilter.h"

#include <QDesktopServices>
#include <QFileDialog>
#include <QGuiApplication>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>

#include <algorithm>

namespace {

// A question asked in the middle of a long step shows the ordinary pointer over its dialog,
// and the hourglass comes back afterwards.
class ArrowWhileAsking {
public:
    ArrowWhileAsking() : m_active(QGuiApplication::overrideCursor() != nullptr)
    {
        if (m_active)
            QGuiApplication::setOverrideCursor(QCursor(Qt::ArrowCursor));
    }
    ~ArrowWhileAsking()
    {
        if (m_active)
            QGuiApplication::restoreOverrideCursor();
    }
    ArrowWhileAsking(const ArrowWhileAsking&) = delete;
    ArrowWhileAsking& operator=(const ArrowWhileAsking&) = delete;

private:
    bool m_active;
};

} // namespace

void DialogUi::show(const CommandOutcome& outcome)
{
    for (const Notice& notice : outcome.boxes()) {
        const ArrowWhileAsking arrow;
        QMessageBox box(notice.information ? QMessageBox::Information : QMessageBox::NoIcon, notice.title, notice.text,
                        QMessageBox::Ok, m_parent);
        box.exec();
    }
}

bool DialogUi::confirm(const QString& text, const QString& title)
{
    const ArrowWhileAsking arrow;
    QMessageBox box(QMessageBox::Question, title, text, QMessageBox::Yes | QMessageBox::No, m_parent);
    box.setDefaultButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

std::optional<QString> DialogUi::askText(const QString& title, const QString& prompt, const QString& initial)
{
    const ArrowWhileAsking arrow;
    QInputDialog dialog(m_parent);
    dialog.setWindowTitle(title);
    dialog.setLabelText(prompt);
    dialog.setInputMode(QInputDialog::TextInput);
    dialog.setTextValue(initial);
    // Wide enough to read and edit a whole web address (the default box shows only its end).
    if (auto* edit = dialog.findChild<QLineEdit*>()) {
        const QFontMetrics metrics = edit->fontMetrics();
        int wanted = std::max(metrics.horizontalAdvance(initial), metrics.horizontalAdvance(QString(60, u'x'))) + 24;
        if (const QScreen* screen = dialog.screen())
            wanted = std::min(wanted, screen->availableGeometry().width() * 9 / 10 - 40);
        edit->setMinimumWidth(wanted);
    }
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.textValue();
}

QString DialogUi::askSaveFileName(const QString& title, const QString& defaultSuffix)
{
    const ArrowWhileAsking arrow;
    QFileDialog dialog(m_parent, title, m_saveFolder);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(defaultSuffix);
    const QString kind
        = defaultSuffix == QLatin1String("pdf") ? QStringLiteral("Documents PDF") : QStringLiteral("Fichiers texte");
    dialog.setNameFilters({QStringLiteral("%1 (*.%2)").arg(kind, defaultSuffix), QStringLiteral("Tous les fichiers (*)")});
    if (dialog.exec() != QDialog::Accepted)
        return {};
    const QStringList files = dialog.selectedFiles();
    return files.isEmpty() ? QString() : files.first();
}

bool DialogUi::editCalendarFilter(CalendarFilter& filter)
{
    const ArrowWhileAsking arrow;
    return CalendarFilterWindow::edit(filter, Formula::get(filter.formula), m_parent);
}

QStringList DialogUi::askOpenFileNames(const QString& title, const QString& filter)
{
    const ArrowWhileAsking arrow;
    QFileDialog dialog(m_parent, title, m_saveFolder);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFiles);
    dialog.setNameFilters({filter, QStringLiteral("Tous les fichiers (*)")});
    if (dialog.exec() != QDialog::Accepted)
        return {};
    return dialog.selectedFiles();
}

int DialogUi::choose(const QString& title, const QString& text, const QStringList& buttons)
{
    const ArrowWhileAsking arrow;
    QMessageBox box(QMessageBox::Question, title, text, QMessageBox::NoButton, m_parent);
    QList<QAbstractButton*> added;
    for (const QString& caption : buttons)
        added << box.addButton(caption, QMessageBox::AcceptRole); // one role keeps them in the given order
    if (added.isEmpty())
        return -1;
    box.setDefaultButton(qobject_cast<QPushButton*>(added.first()));
    box.setEscapeButton(added.last());
    box.exec();
    return static_cast<int>(added.indexOf(box.clickedButton()));
}

bool DialogUi::openUrl(const QUrl& url)
{
    return m_opener ? m_opener(url) : QDesktopServices::openUrl(url);
}
