#include "mbutton.h"

#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <algorithm>

namespace {

int sign(int value)
{
    return (value > 0) - (value < 0);
}

// Draws a horizontal or vertical line from `from` up to `to`, the end point itself not drawn.
// Filled as a rectangle so that exactly these pixels are set, whatever the line rasterizer
// does with end points.
void lineTo(QPainter &painter, QPoint from, QPoint to, const QColor &color)
{
    if (from == to)
        return;
    const QPoint step(sign(to.x() - from.x()), sign(to.y() - from.y()));
    const QPoint last = to - step;
    painter.fillRect(QRect(QPoint(std::min(from.x(), last.x()), std::min(from.y(), last.y())),
                           QPoint(std::max(from.x(), last.x()), std::max(from.y(), last.y()))),
                     color);
}

} // namespace

TMButton::TMButton(QWidget *parent)
    : QWidget(parent), m_colorDark(palette().color(QPalette::Shadow)),
      m_colorLight(palette().color(QPalette::Light))
{
    // The toolkit fills the face in Color before each paint; the paint itself fills nothing.
    setAutoFillBackground(true);
    // Hover tracking starts with a move over the button while no button is held.
    setMouseTracking(true);
}

QColor TMButton::Color() const
{
    return palette().color(backgroundRole());
}

void TMButton::SetFlag(int index, bool value)
{
    switch (index) {
    case LatchFlag:
        m_latch = value;
        break;
    case DownFlag:
        m_down = value;
        break;
    case BorderFlag:
        m_border = value;
        break;
    case StretchFlag:
        m_stretch = value;
        break;
    case RockerLRFlag:
        m_rockerLR = value;
        break;
    case RockerUDFlag:
        m_rockerUD = value;
        break;
    case HighlightFlag:
        m_highlight = value;
        break;
    default:
        break;
    }
    RefreshFace();
}

void TMButton::RefreshFace()
{
    repaint();
}

void TMButton::setBitmap(const QPixmap &bitmap)
{
    m_bitmap = bitmap;
    RefreshFace();
}

void TMButton::paintEvent(QPaintEvent *)
{
    const int w = width();
    const int h = height();
    const int halfW = w / 2;
    const int halfH = h / 2;

    // A0..A3 run up the left edge and along the top, B0..B3 down the right and back.
    QColor a[4];
    QColor b[4];
    const QColor raisedA = m_down ? m_colorDark : m_colorLight;
    const QColor raisedB = m_down ? m_colorLight : m_colorDark;
    for (int i = 0; i < 4; ++i) {
        a[i] = raisedA;
        b[i] = raisedB;
    }
    if (m_down && m_rockerLR) {
        if (halfW > m_pressX) {
            m_clickLeft = true;
            a[3] = m_colorLight;
            b[0] = b[1] = b[2] = m_colorDark;
        } else {
            m_clickLeft = false;
            a[0] = a[1] = a[2] = m_colorLight;
            b[3] = m_colorDark;
        }
    }
    if (!m_border && !m_hoverPaint && !m_down) {
        const QColor face = Color();
        for (int i = 0; i < 4; ++i)
            a[i] = b[i] = face;
    }

    QPainter painter(this);
    const QPoint outline[] = {{0, h - 1},     {0, halfH},     {0, 0},
                              {halfW, 0},     {w - 1, 0},     {w - 1, halfH},
                              {w - 1, h - 1}, {halfW, h - 1}, {0, h - 1}};
    const QColor segmentColors[] = {a[0], a[1], a[2], a[3], b[0], b[1], b[2], b[3]};
    for (int i = 0; i < 8; ++i)
        lineTo(painter, outline[i], outline[i + 1], segmentColors[i]);

    if (m_stretch) {
        // Both edges come from the height: the picture fills a square at the left.
        const QRect target(QPoint(2, 2), QPoint(h - 4, h - 4) - QPoint(1, 1));
        if (target.isValid())
            painter.drawPixmap(target, m_bitmap);
    } else {
        painter.drawPixmap((w - m_bitmap.width()) / 2, (h - m_bitmap.height()) / 2, m_bitmap);
    }
}

void TMButton::mousePressEvent(QMouseEvent *event)
{
    const QPoint pos = event->position().toPoint();
    emit OnMouseDown(event->button(), event->modifiers(), pos.x(), pos.y());
    m_pressX = pos.x();
    if (event->button() == Qt::RightButton)
        return;
    m_pressCapture = true;
    if (event->button() == Qt::LeftButton)
        m_leftPressed = true;
    m_down = m_latch ? !m_down : true;
    RefreshFace();
    if (m_dropDownMenu && m_down) {
        QPointer<TMButton> self(this);
        m_dropDownMenu->exec(mapToGlobal(QPoint(0, height())));
        if (!self)
            return;
        // The release that ends this press went to the menu.
        m_leftPressed = false;
        m_down = false;
        releasePointer();
        m_hovering = false;
        RefreshFace();
    }
}

void TMButton::mouseMoveEvent(QMouseEvent *event)
{
    const QPoint pos = event->position().toPoint();
    // Outside and without the pointer held, the move belongs to whatever is under the pointer.
    if (!rect().contains(pos) && !holdsPointer())
        return;
    if (!m_highlight) {
        emit OnMouseMove(event->modifiers(), pos.x(), pos.y());
        return;
    }
    if (!m_hovering) {
        takePointer();
        m_hovering = true;
        m_hoverPaint = true;
        RefreshFace();
        m_hoverPaint = false;
    }
    if (!isInside(pos)) {
        releasePointer();
        m_hovering = false;
        RefreshFace();
        return;
    }
    emit OnMouseMove(event->modifiers(), pos.x(), pos.y());
}

void TMButton::mouseReleaseEvent(QMouseEvent *event)
{
    const QPoint pos = event->position().toPoint();
    const bool inside = rect().contains(pos);
    const bool left = event->button() == Qt::LeftButton;
    if (!inside && !holdsPointer()) {
        // The pointer was let go while away: this release belongs to another window.
        if (left)
            m_leftPressed = false;
        return;
    }
    if (left) {
        const bool click = m_leftPressed && inside;
        m_leftPressed = false;
        if (click) {
            QPointer<TMButton> self(this);
            emit OnClick();
            if (!self)
                return;
        }
    }
    emit OnMouseUp(event->button(), event->modifiers(), pos.x(), pos.y());
    if (event->button() == Qt::RightButton)
        return;
    if (!m_latch)
        m_down = false;
    releasePointer();
    m_hovering = false;
    RefreshFace();
}

void TMButton::hideEvent(QHideEvent *event)
{
    // A hidden grabber would take the next press meant for another window, and a stale
    // Hovering would skip the highlight when the button shows again.
    if (holdsPointer()) {
        releasePointer();
        m_hovering = false;
    }
    QWidget::hideEvent(event);
}

bool TMButton::isInside(QPoint pos) const
{
    // The right and bottom edge coordinates still count as inside.
    return pos.x() >= 0 && pos.y() >= 0 && pos.x() <= width() && pos.y() <= height();
}

void TMButton::takePointer()
{
    grabMouse();
}

void TMButton::releasePointer()
{
    if (mouseGrabber() == this)
        releaseMouse();
    m_pressCapture = false;
}
