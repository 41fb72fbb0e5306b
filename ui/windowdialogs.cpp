#include "windowdialogs.h"

#include <QColorDialog>
#include <QFileDialog>
#include <QMessageBox>

bool WindowDialogs::ChooseFile(QFileDialog &dialog)
{
    return dialog.exec() == QDialog::Accepted;
}

bool WindowDialogs::ChooseColour(QColorDialog &dialog)
{
    return dialog.exec() == QDialog::Accepted;
}

bool WindowDialogs::Confirm(QWidget *owner, const QString &caption, const QString &text)
{
    QMessageBox box(QMessageBox::NoIcon, caption, text, QMessageBox::Ok | QMessageBox::Cancel,
                    owner);
    box.setDefaultButton(QMessageBox::Ok);
    box.setEscapeButton(QMessageBox::Cancel);
    return box.exec() == QMessageBox::Ok;
}

void WindowDialogs::ShowError(QWidget *owner, const QString &caption, const QString &text)
{
    QMessageBox box(QMessageBox::Critical, caption, text, QMessageBox::Ok, owner);
    box.exec();
}
