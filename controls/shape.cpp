#include "shape.h"

#include <QPainter>

TShape::TShape(QWidget *parent) : QWidget(parent) {}

void TShape::setBrushColor(int packed)
{
    if (packed == m_brushColor)
        return;
    m_brushColor = packed;
    update();
}

void TShape::setShape(ShapeType shape)
{
    if (shape == m_shape)
        return;
    m_shape = shape;
    update();
}

QColor TShape::ColourOf(int packed)
{
    return QColor(packed & 0xFF, (packed >> 8) & 0xFF, (packed >> 16) & 0xFF);
}

void TShape::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(ColourOf(m_brushColor));
    if (m_shape == Rectangle) {
        painter.drawRect(rect().adjusted(0, 0, -1, -1));
        return;
    }
    painter.setRenderHint(QPainter::Antialiasing);
    const int diameter = qMin(width(), height()) - 1;
    QRectF circle(0, 0, diameter, diameter);
    circle.moveCenter(QRectF(rect()).adjusted(0, 0, -1, -1).center());
    painter.drawEllipse(circle);
}
