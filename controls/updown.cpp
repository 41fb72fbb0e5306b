#include "updown.h"

#include "numedit.h"

#include <QKeyEvent>
#include <QToolButton>
#include <algorithm>
#include <cmath>

namespace {

QToolButton *ArrowButton(QWidget *parent, Qt::ArrowType arrow, const char *name)
{
    auto *button = new QToolButton(parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setArrowType(arrow);
    button->setAutoRepeat(true);
    // The field keeps the focus while the user clicks the arrows.
    button->setFocusPolicy(Qt::NoFocus);
    return button;
}

} // namespace

TUpDown::TUpDown(QWidget *parent)
    : QWidget(parent), m_up(ArrowButton(this, Qt::UpArrow, "up")),
      m_down(ArrowButton(this, Qt::DownArrow, "down"))
{
    setFocusPolicy(Qt::TabFocus);
    connect(m_up, &QToolButton::clicked, this, &TUpDown::StepUp);
    connect(m_down, &QToolButton::clicked, this, &TUpDown::StepDown);
}

void TUpDown::setPosition(int position)
{
    m_position = std::clamp(position, m_min, m_max);
}

void TUpDown::setMin(int value)
{
    if (value >= m_max)
        return;
    m_min = value;
    setPosition(m_position);
}

void TUpDown::setMax(int value)
{
    if (value <= m_min)
        return;
    m_max = value;
    setPosition(m_position);
}

void TUpDown::setAssociate(TNumEdit *field)
{
    if (m_associate)
        m_associate->removeEventFilter(this);
    m_associate = field;
    if (m_associate)
        m_associate->installEventFilter(this);
}

void TUpDown::Step(int delta)
{
    if (m_associate) {
        const double shown = m_associate->Number();
        setPosition(std::isnan(shown)
                        ? m_min
                        : int(std::clamp(std::trunc(shown), double(m_min), double(m_max))));
    }
    setPosition(m_position + delta);
    if (!m_associate)
        return;
    const QString text = QString::number(m_position);
    if (m_associate->text() != text)
        m_associate->setText(text);
}

bool TUpDown::StepForKey(int key)
{
    if (key == Qt::Key_Up)
        Step(1);
    else if (key == Qt::Key_Down)
        Step(-1);
    else
        return false;
    return true;
}

bool TUpDown::eventFilter(QObject *watched, QEvent *event)
{
    // The type first: the field's own destruction sends events here, and comparing the
    // pointer then would look at a half-destroyed field.
    if (event->type() == QEvent::KeyPress && watched == m_associate &&
        StepForKey(static_cast<QKeyEvent *>(event)->key()))
        return true;
    return QWidget::eventFilter(watched, event);
}

void TUpDown::keyPressEvent(QKeyEvent *event)
{
    if (!StepForKey(event->key()))
        QWidget::keyPressEvent(event);
}

void TUpDown::resizeEvent(QResizeEvent *)
{
    const int upper = height() / 2;
    m_up->setGeometry(0, 0, width(), upper);
    m_down->setGeometry(0, upper, width(), height() - upper);
}
