#pragma once

#include <QString>

class QColorDialog;
class QFileDialog;
class QWidget;

// Every modal dialog and message box the main window shows goes through here, so that a
// test can answer them without a person.
class WindowDialogs {
public:
    virtual ~WindowDialogs() = default;

    // Shows the file dialog modally; true when the user chose a file.
    virtual bool ChooseFile(QFileDialog &dialog);
    // Shows the colour dialog modally; true when the user confirmed a colour, which is
    // then the dialog's current colour.
    virtual bool ChooseColour(QColorDialog &dialog);
    // A box with OK and Cancel and no icon; true for OK. Closing the box counts as Cancel.
    virtual bool Confirm(QWidget *owner, const QString &caption, const QString &text);
    // A box with an error icon and an OK button.
    virtual void ShowError(QWidget *owner, const QString &caption, const QString &text);
};
