#pragma once

#include <QWidget>

// A filled rectangle or circle with a thin black outline. The fill colour is a packed
// integer, red + 256 x green + 65536 x blue; a write that changes it repaints at once.
class TShape : public QWidget {
    Q_OBJECT
    Q_PROPERTY(int BrushColor READ BrushColor WRITE setBrushColor)
    Q_PROPERTY(ShapeType Shape READ Shape WRITE setShape)

public:
    enum ShapeType { Rectangle, Circle };
    Q_ENUM(ShapeType)

    explicit TShape(QWidget *parent = nullptr);

    int BrushColor() const { return m_brushColor; }
    ShapeType Shape() const { return m_shape; }

    void setBrushColor(int packed);
    void setShape(ShapeType shape);

    // The fill colour as the toolkit's colour; only the low three bytes count.
    static QColor ColourOf(int packed);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    int m_brushColor = 0xFFFFFF;
    ShapeType m_shape = Rectangle;
};
