#pragma once

#include <QPointer>
#include <QWidget>

class QToolButton;
class TNumEdit;

// An up/down spinner bound to the numeric field on its left. A step takes the field's
// number as the position, moves it by one within Min..Max (no wrap-around) and writes the
// new position straight into the field's text: no key filter, no commit, one change event
// when the text changes. The Up and Down arrow keys in the field step it as well.
class TUpDown : public QWidget {
    Q_OBJECT
    Q_PROPERTY(int Position READ Position WRITE setPosition)
    Q_PROPERTY(int Min READ Min WRITE setMin)
    Q_PROPERTY(int Max READ Max WRITE setMax)

public:
    explicit TUpDown(QWidget *parent = nullptr);

    int Position() const { return m_position; }
    int Min() const { return m_min; }
    int Max() const { return m_max; }
    TNumEdit *Associate() const { return m_associate; }

    // Clamped to Min..Max; the field is not written.
    void setPosition(int position);
    void setMin(int value);
    void setMax(int value);
    // The field is not written until the first step; nullptr unbinds.
    void setAssociate(TNumEdit *field);

public slots:
    void StepUp() { Step(1); }
    void StepDown() { Step(-1); }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void Step(int delta);
    bool StepForKey(int key);

    QToolButton *m_up;
    QToolButton *m_down;
    QPointer<TNumEdit> m_associate;
    int m_position = 0;
    int m_min = 0;
    int m_max = 255;
};
