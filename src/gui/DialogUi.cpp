#include "gui/DialogUi.h"

#include "gui/CalendarFilterWindow.h"

#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>

void DialogUi::message(const QString& text, const QString& title)
{
    QMessageBox box(QMessageBox::NoIcon, title, text, QMessageBox::Ok, m_parent);
    box.exec();
}

bool DialogUi::confirm(const QString& text, const QString& title)
{
    QMessageBox box(QMessageBox::Question, title, text, QMessageBox::Yes | QMessageBox::No, m_parent);
    box.setDefaultButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

std::optional<QString> DialogUi::askText(const QString& title, const QString& prompt, const QString& initial)
{
    bool ok = false;
    const QString answer = QInputDialog::getText(m_parent, title, prompt, QLineEdit::Normal, initial, &ok);
    if (!ok)
        return std::nullopt;
    return answer;
}

QString DialogUi::askSaveFileName(const QString& title, const QString& defaultSuffix)
{
    QFileDialog dialog(m_parent, title, m_saveFolder);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(defaultSuffix);
    dialog.setNameFilters({QStringLiteral("Fichiers texte (*.%1)").arg(defaultSuffix), QStringLiteral("Tous les fichiers (*)")});
    if (dialog.exec() != QDialog::Accepted)
        return {};
    const QStringList files = dialog.selectedFiles();
    return files.isEmpty() ? QString() : files.first();
}

bool DialogUi::editCalendarFilter(CalendarFilter& filter)
{
    return CalendarFilterWindow::edit(filter, m_parent);
}
