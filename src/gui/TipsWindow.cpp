// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/TipsWindow.h"

#include "forecast/TipsFile.h"

#include <QLabel>
#include <QPushButton>
#include <QShortcut>

namespace {

constexpr int px(int twips)
{
    return twips / 15;
}

} // namespace

TipsWindow::TipsWindow(const QString& tipsPath, QWidget* parent) : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("frmCons"));
    setWindowTitle(QStringLiteral("Astuce"));
    setAttribute(Qt::WA_DeleteOnClose);
    setFixedSize(px(6330), px(1710));
    connect(new QShortcut(QKeySequence(Qt::Key_Escape), this), &QShortcut::activated, this, &QWidget::close);
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor(255, 192, 128));
    setPalette(pal);

    m_tip = new QLabel(this);
    m_tip->setObjectName(QStringLiteral("lblCons"));
    m_tip->setGeometry(px(600), px(120), px(5055), px(735));
    m_tip->setWordWrap(true);
    m_tip->setAutoFillBackground(true);
    QPalette white = m_tip->palette();
    white.setColor(QPalette::Window, Qt::white);
    m_tip->setPalette(white);

    auto* next = new QPushButton(QStringLiteral("Conseil suivant"), this);
    next->setObjectName(QStringLiteral("cmdSuiv"));
    next->move(px(600), px(960));
    auto* close = new QPushButton(QStringLiteral("Fermer"), this);
    close->setObjectName(QStringLiteral("cmdFermer"));
    close->move(px(3720), px(960));

    const TipsFile file = tipsPath.isEmpty() ? TipsFile::parse({}, false) : TipsFile::read(tipsPath);
    m_sequence = TipsSequence(file.tips);
    m_sequence.startRandom(QTime::currentTime());
    if (file.error.isEmpty()) {
        showCurrent();
    } else {
        // The file's fault stands in the tip's place; the tips it does hold follow.
        m_tip->setText(file.error);
        m_sequence.startAt(m_sequence.count());
    }
    next->setEnabled(m_sequence.count() > 0);
    connect(next, &QPushButton::clicked, this, [this] {
        m_sequence.next();
        showCurrent();
    });
    connect(close, &QPushButton::clicked, this, &QWidget::close);
}

QString TipsWindow::tipText() const
{
    return m_tip->text();
}

void TipsWindow::showCurrent()
{
    m_tip->setText(m_sequence.current());
}
