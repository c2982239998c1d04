// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/CriteriaWindow.h"

#include "shell/CommandUnits.h"
#include "shell/Workspace.h"

#include <QCloseEvent>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QShortcut>

namespace {

// The window is laid out in twips: 15 to a pixel.
constexpr int px(int twips)
{
    return twips / 15;
}

constexpr int kBarHeight = 255;
constexpr int kLeftBarWidth = 2295, kRightBarWidth = 1695;

const char16_t* const kLabelNames[12]
    = {u"",          u"lblrecent2", u"lblMoyen2", u"lblGen2",   u"lblEcartsMin2", u"lblEcartsMax2",
       u"lblRecMin", u"lblrecmax",  u"lblMoyMin", u"lblMoyMax", u"lblGenMin",     u"lblGenMax"};

} // namespace

CriteriaWindow::CriteriaWindow(Workspace& workspace, QWidget* parent) : QWidget(parent, Qt::Window), m_ws(workspace)
{
    setObjectName(QStringLiteral("frmPrev"));
    setWindowTitle(QStringLiteral("Prévisions"));
    setFixedSize(px(8985), px(6540));
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor(255, 192, 128));
    setPalette(pal);

    addHeadings();
    addBars();
    addButtons();
    setKeyboardOrder();
    // Escape does what "Utiliser" does: the criteria stay for the selection.
    connect(new QShortcut(QKeySequence(Qt::Key_Escape), this), &QShortcut::activated, this, &QWidget::hide);

    connect(&m_ws, &Workspace::changed, this, [this](unsigned parts) {
        if (parts & Workspace::CriteriaPart)
            mirror();
    });
    mirror();
}

void CriteriaWindow::addHeadings()
{
    addLabel(QStringLiteral("Label4"), QStringLiteral("Critères de séléction des numéros"), 480, 120, true);
    // Over the two right columns: wrapped when the font is wider than the window allows.
    QLabel* header = addLabel(QStringLiteral("Label1"),
                              QStringLiteral("Garder les numéros dont les sorties sont comprises entre "), 4080, 780);
    header->setWordWrap(true);
    header->setFixedWidth(px(4800));
    header->adjustSize();
    addLabel(QStringLiteral("lblrecent"), QStringLiteral("Forme récente Nombre de tirages"), 960, 1140);
    addLabel(QStringLiteral("lblMoyen"), QStringLiteral("Forme Moyenne Nombre de tirages"), 960, 2100);
    addLabel(QStringLiteral("lblGen"), QStringLiteral("Forme générale Nombre de tirages"), 960, 3540);
    addLabel(QStringLiteral("lblEcartsmin"), QStringLiteral("Ecarts Min"), 4080, 4500);
    addLabel(QStringLiteral("lblEcartMax"), QStringLiteral("Ecarts Max"), 6480, 4500);
}

void CriteriaWindow::addBars()
{
    placeBar(1, 960, 1440, kLeftBarWidth);
    placeBar(2, 960, 2400, kLeftBarWidth);
    placeBar(3, 960, 3840, kLeftBarWidth);
    placeBar(6, 4080, 1440, kRightBarWidth);
    placeBar(8, 4080, 2400, kRightBarWidth);
    placeBar(10, 4080, 3840, kRightBarWidth);
    placeBar(7, 6480, 1440, kRightBarWidth);
    placeBar(9, 6480, 2400, kRightBarWidth);
    placeBar(11, 6480, 3840, kRightBarWidth);
    placeBar(4, 4080, 4800, kRightBarWidth);
    placeBar(5, 6480, 4800, kRightBarWidth);
}

void CriteriaWindow::addButtons()
{
    connect(addButton(QStringLiteral("cmdFermer"), QStringLiteral("Utiliser"), 4680), &QPushButton::clicked, this,
            &QWidget::hide);
    connect(addButton(QStringLiteral("cmdSauver"), QStringLiteral("Sauver"), 5280), &QPushButton::clicked, this,
            [this] { m_ws.announce(m_ws.units().forecast.saveCriteria()); });
    connect(addButton(QStringLiteral("Reload"), QStringLiteral("Reset configuration"), 5880), &QPushButton::clicked, this,
            [this] { m_ws.announce(m_ws.units().forecast.reloadCriteria()); });
}

// Row by row, left to right, then the buttons: each bar takes the focus, and the arrows and
// Page Up/Down move it.
void CriteriaWindow::setKeyboardOrder()
{
    QWidget* previous = nullptr;
    for (int i : {1, 6, 7, 2, 8, 9, 3, 10, 11, 4, 5}) {
        QScrollBar* bar = m_bars[static_cast<size_t>(i)];
        bar->setFocusPolicy(Qt::StrongFocus);
        // Right and Up raise the value, as the bar's look says (scroll bars reverse them).
        bar->setInvertedControls(false);
        bar->installEventFilter(this);
        if (previous)
            setTabOrder(previous, bar);
        previous = bar;
    }
    for (const char* name : {"cmdFermer", "cmdSauver", "Reload"}) {
        QWidget* button = findChild<QWidget*>(QString::fromLatin1(name));
        setTabOrder(previous, button);
        previous = button;
    }
}

QLabel* CriteriaWindow::addLabel(const QString& name, const QString& text, int leftTwips, int topTwips, bool bold)
{
    auto* label = new QLabel(text, this);
    label->setObjectName(name);
    if (bold) {
        QFont f = label->font();
        f.setBold(true);
        label->setFont(f);
    }
    label->move(px(leftTwips), px(topTwips));
    label->adjustSize();
    return label;
}

QPushButton* CriteriaWindow::addButton(const QString& name, const QString& text, int topTwips)
{
    auto* button = new QPushButton(text, this);
    button->setObjectName(name);
    button->setGeometry(px(720), px(topTwips), px(2415), px(495));
    return button;
}

void CriteriaWindow::placeBar(int i, int leftTwips, int topTwips, int widthTwips)
{
    auto* bar = new QScrollBar(Qt::Horizontal, this);
    bar->setObjectName(QStringLiteral("HScroll%1").arg(i));
    bar->setGeometry(px(leftTwips), px(topTwips), px(widthTwips), px(kBarHeight));
    m_bars[static_cast<size_t>(i)] = bar;
    // The value label stands to the right of its bar, in bold.
    QLabel* label = addLabel(QString::fromUtf16(kLabelNames[i]), QString(), leftTwips + widthTwips + 90, topTwips, true);
    label->setFixedWidth(px(600));
    m_labels[static_cast<size_t>(i)] = label;
    connect(bar, &QScrollBar::valueChanged, this, [this, i](int value) {
        if (!m_mirroring)
            m_ws.units().forecast.moveCriterion(static_cast<CriterionBar>(i), value);
    });
}

void CriteriaWindow::mirror()
{
    m_mirroring = true;
    const CriteriaRanges& criteria = m_ws.criteria();
    for (int i = 1; i <= kCriterionBarCount; ++i) {
        const CriteriaScrollBar& model = criteria[i];
        QScrollBar* bar = m_bars[static_cast<size_t>(i)];
        // A reversed range (minimum above maximum) is shown from its low to its high end.
        bar->setRange(model.low(), model.high());
        bar->setSingleStep(model.smallStep);
        bar->setPageStep(model.pageStep);
        bar->setValue(model.value);
        m_labels[static_cast<size_t>(i)]->setText(model.label);
    }
    m_mirroring = false;
}

// A bar draws no focus frame of its own: its value label is framed while it has the focus.
bool CriteriaWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut) {
        for (size_t i = 1; i < m_bars.size(); ++i)
            if (m_bars[i] == watched)
                m_labels[i]->setFrameShape(event->type() == QEvent::FocusIn ? QFrame::Box : QFrame::NoFrame);
    }
    return QWidget::eventFilter(watched, event);
}

void CriteriaWindow::closeEvent(QCloseEvent* event)
{
    m_ws.units().forecast.forgetCriteria();
    QWidget::closeEvent(event);
}
