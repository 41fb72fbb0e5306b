#include "numedit.h"

#include <QFocusEvent>
#include <QKeyEvent>

using hueforge::KeyVerdict;
using hueforge::NumberField;

TNumEdit::TNumEdit(QWidget *parent) : QLineEdit(parent)
{
    setMaxLength(int(hueforge::NumberTextLimit));
}

QVariant TNumEdit::inputMethodQuery(Qt::InputMethodQuery query) const
{
    // Composed text would arrive as input method events, which skip the key filter; without
    // an input method the platform sends each character as a key.
    if (query == Qt::ImEnabled)
        return false;
    return QLineEdit::inputMethodQuery(query);
}

template <typename Rule> void TNumEdit::applyRule(Rule rule)
{
    m_field.Text = text().toUtf8().toStdString();
    rule(m_field);
    const QString result = QString::fromUtf8(m_field.Text);
    if (result == text())
        return;
    setText(result);
    // A number written by the program reads from its start, as a field shows a value it
    // was given; where the user is typing, the caret stays where the edit left it.
    if (!hasFocus())
        setCursorPosition(0);
}

double TNumEdit::Number()
{
    // Captured inside the rule: a textChanged handler may write Number before setText returns.
    double value = 0.0;
    applyRule([&value](NumberField &field) { value = hueforge::ReadNumber(field); });
    return value;
}

void TNumEdit::setAllowDecimal(bool allow)
{
    applyRule([allow](NumberField &field) { hueforge::WriteAllowDecimal(field, allow); });
}

void TNumEdit::setAllowMinus(bool allow)
{
    applyRule([allow](NumberField &field) { hueforge::WriteAllowMinus(field, allow); });
}

void TNumEdit::setNumber(double value)
{
    applyRule([value](NumberField &field) { hueforge::WriteNumber(field, value); });
}

void TNumEdit::setMax(double value)
{
    applyRule([value](NumberField &field) { hueforge::WriteMax(field, value); });
}

void TNumEdit::setMin(double value)
{
    applyRule([value](NumberField &field) { hueforge::WriteMin(field, value); });
}

void TNumEdit::CommitEntry(QObject *)
{
    applyRule([](NumberField &field) { hueforge::CommitEntry(field); });
}

void TNumEdit::RefreshText()
{
    applyRule([](NumberField &field) { hueforge::RefreshText(field); });
}

std::optional<unsigned char> TNumEdit::typedCharacter(const QKeyEvent &event)
{
    const int key = event.key();
    switch (key) {
    case Qt::Key_Backspace:
        return 8;
    case Qt::Key_Tab:
        return 9;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return 13;
    case Qt::Key_Escape:
        return 27;
    default:
        break;
    }

    // Ctrl+letter types the control code of that letter (Ctrl+V is 22), as on a terminal.
    const Qt::KeyboardModifiers modifiers = event.modifiers();
    const bool control = modifiers.testFlag(Qt::ControlModifier) &&
                         !modifiers.testFlag(Qt::AltModifier) &&
                         !modifiers.testFlag(Qt::MetaModifier);
    if (control)
        return key >= Qt::Key_A && key <= Qt::Key_Z
                   ? std::optional<unsigned char>(key - Qt::Key_A + 1)
                   : std::nullopt;

    // Keys that type nothing or only a control code (arrows, Delete) are the edit's own.
    const QString typed = event.text();
    if (typed.isEmpty() || (typed.size() == 1 && typed.front().category() == QChar::Other_Control))
        return std::nullopt;
    // Anything a single byte cannot hold, also several characters in one event, arrives as
    // '?', which the filter swallows; passing it on would insert it unfiltered.
    const char16_t unit = typed.front().unicode();
    return typed.size() == 1 && unit <= 0xFF ? static_cast<unsigned char>(unit)
                                             : static_cast<unsigned char>('?');
}

KeyVerdict TNumEdit::offerCharacter(unsigned char code)
{
    const int start = hasSelectedText() ? selectionStart() : cursorPosition();
    const int length = hasSelectedText() ? selectionLength() : 0;
    KeyVerdict verdict = KeyVerdict::Swallow;
    applyRule(
        [&](NumberField &field) { verdict = hueforge::FilterKey(field, code, start, length); });
    return verdict;
}

void TNumEdit::keyPressEvent(QKeyEvent *event)
{
    const std::optional<unsigned char> code = typedCharacter(*event);
    if (!code || offerCharacter(*code) == KeyVerdict::Accept) {
        QLineEdit::keyPressEvent(event);
        return;
    }
    // Swallowed, or committed on Enter: the edit inserts nothing and the focus stays here.
    event->accept();
}

void TNumEdit::focusOutEvent(QFocusEvent *event)
{
    QLineEdit::focusOutEvent(event);
    // The edit's own context menu takes the focus only while it is open.
    if (event->reason() != Qt::PopupFocusReason)
        CommitEntry();
}
