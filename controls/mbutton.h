#pragma once

#include <QColor>
#include <QPixmap>
#include <QWidget>

class QMenu;

// A push button that shows a picture instead of a caption and draws its own thin two-colour
// bevel. It can latch, highlight its bevel while the pointer is over it, open a drop-down
// menu under itself and draw a left/right rocker. Every flag write repaints at once, also
// with an unchanged value. The face colour is the palette's background colour (inherited
// from the parent unless set).
class TMButton : public QWidget {
    Q_OBJECT
    Q_PROPERTY(QPixmap Bitmap READ Bitmap WRITE setBitmap)
    Q_PROPERTY(bool Latch READ Latch WRITE setLatch)
    Q_PROPERTY(bool Down READ Down WRITE setDown)
    Q_PROPERTY(bool Border READ Border WRITE setBorder)
    Q_PROPERTY(bool Stretch READ Stretch WRITE setStretch)
    Q_PROPERTY(bool RockerLR READ RockerLR WRITE setRockerLR)
    Q_PROPERTY(bool RockerUD READ RockerUD WRITE setRockerUD)
    Q_PROPERTY(bool Highlight READ Highlight WRITE setHighlight)
    Q_PROPERTY(bool ClickLeft READ ClickLeft)
    Q_PROPERTY(QColor ColorDark READ ColorDark WRITE setColorDark)
    Q_PROPERTY(QColor ColorLight READ ColorLight WRITE setColorLight)

public:
    // Flag indices of SetFlag.
    enum FlagIndex {
        LatchFlag = 1,
        DownFlag = 2,
        BorderFlag = 3,
        StretchFlag = 5,
        RockerLRFlag = 6,
        RockerUDFlag = 7,
        HighlightFlag = 8
    };

    explicit TMButton(QWidget *parent = nullptr);

    const QPixmap &Bitmap() const { return m_bitmap; }
    bool Latch() const { return m_latch; }
    bool Down() const { return m_down; }
    bool Border() const { return m_border; }
    bool Stretch() const { return m_stretch; }
    bool RockerLR() const { return m_rockerLR; }
    bool RockerUD() const { return m_rockerUD; }
    bool Highlight() const { return m_highlight; }
    // Which half of a pressed rocker was drawn sunken by the last paint.
    bool ClickLeft() const { return m_clickLeft; }
    QColor ColorDark() const { return m_colorDark; }
    QColor ColorLight() const { return m_colorLight; }
    // Not owned: the menu must outlive the button or be cleared first.
    QMenu *DropDownMenu() const { return m_dropDownMenu; }
    // The face colour: the background fill and the colour of a hidden bevel.
    QColor Color() const;
    // Horizontal client position of the last press of any button.
    int PressX() const { return m_pressX; }

    // Stores the value by index (see FlagIndex; other indices store nothing), then repaints.
    virtual void SetFlag(int index, bool value);
    // Repaints at once.
    virtual void RefreshFace();
    // Copies the picture (the caller keeps its own) and repaints.
    virtual void setBitmap(const QPixmap &bitmap);

    void setLatch(bool value) { SetFlag(LatchFlag, value); }
    void setDown(bool value) { SetFlag(DownFlag, value); }
    void setBorder(bool value) { SetFlag(BorderFlag, value); }
    void setStretch(bool value) { SetFlag(StretchFlag, value); }
    void setRockerLR(bool value) { SetFlag(RockerLRFlag, value); }
    void setRockerUD(bool value) { SetFlag(RockerUDFlag, value); }
    void setHighlight(bool value) { SetFlag(HighlightFlag, value); }
    void setColorDark(const QColor &color) { m_colorDark = color; }
    void setColorLight(const QColor &color) { m_colorLight = color; }
    void setDropDownMenu(QMenu *menu) { m_dropDownMenu = menu; }

signals:
    // A left release inside after a left press on the button; raised before the release
    // changes Down.
    void OnClick();
    void OnMouseDown(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, int x, int y);
    void OnMouseMove(Qt::KeyboardModifiers modifiers, int x, int y);
    void OnMouseUp(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, int x, int y);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    bool holdsPointer() const { return m_hovering || m_pressCapture; }
    bool isInside(QPoint pos) const;
    void takePointer();
    void releasePointer();

    QPixmap m_bitmap;
    QMenu *m_dropDownMenu = nullptr;
    bool m_latch = false;
    bool m_down = false;
    bool m_border = true;
    bool m_stretch = true;
    bool m_rockerLR = false;
    bool m_rockerUD = false;
    bool m_highlight = true;
    bool m_clickLeft = false;
    QColor m_colorDark;
    QColor m_colorLight;

    bool m_hovering = false;
    bool m_hoverPaint = false;
    int m_pressX = 0;
    // A press captures the pointer until the release or until hover tracking lets it go.
    bool m_pressCapture = false;
    bool m_leftPressed = false;
};
