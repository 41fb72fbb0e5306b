#pragma once

#include "numberlogic.h"

#include <QLineEdit>
#include <optional>

class QFocusEvent;
class QKeyEvent;

// A single-line edit that holds one number. The rules live in numberlogic.h; this class copies
// the edit's text into them and writes back what they produce, only when it differs, so
// textChanged fires once per actual change and never for a write that leaves the text as it was.
class TNumEdit : public QLineEdit {
    Q_OBJECT
    Q_PROPERTY(bool AllowDecimal READ AllowDecimal WRITE setAllowDecimal)
    Q_PROPERTY(bool AllowMinus READ AllowMinus WRITE setAllowMinus)
    Q_PROPERTY(double Number READ Number WRITE setNumber)
    Q_PROPERTY(double Max READ Max WRITE setMax)
    Q_PROPERTY(double Min READ Min WRITE setMin)
    Q_PROPERTY(int PadZero READ PadZero WRITE setPadZero)
    Q_PROPERTY(int KeyPressed READ KeyPressed)

public:
    // The text stays empty until the first property write or commit.
    explicit TNumEdit(QWidget *parent = nullptr);

    bool AllowDecimal() const { return m_field.AllowDecimal; }
    bool AllowMinus() const { return m_field.AllowMinus; }
    // Parses the text after removing its first comma (which rewrites the text); not clamped.
    double Number();
    double Max() const { return m_field.Max; }
    double Min() const { return m_field.Min; }
    int PadZero() const { return m_field.PadZero; }
    // The last character offered to the key filter, as a signed 8-bit code.
    int KeyPressed() const { return m_field.KeyPressed; }

    // Refuses input methods, so that every typed character passes the key filter.
    using QLineEdit::inputMethodQuery;
    QVariant inputMethodQuery(Qt::InputMethodQuery query) const override;

public slots:
    void setAllowDecimal(bool allow);
    void setAllowMinus(bool allow);
    void setNumber(double value);
    void setMax(double value);
    void setMin(double value);
    // Takes effect at the next write or commit.
    void setPadZero(int width) { m_field.PadZero = width; }
    // Parses the text, clamps it to Min..Max and shows the result; the sender is ignored.
    void CommitEntry(QObject *sender = nullptr);
    void RefreshText();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;

private:
    static std::optional<unsigned char> typedCharacter(const QKeyEvent &event);
    hueforge::KeyVerdict offerCharacter(unsigned char code);
    template <typename Rule> void applyRule(Rule rule);

    hueforge::NumberField m_field;
};
