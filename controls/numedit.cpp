#include "numedit.h"

TNumEdit::TNumEdit(QWidget *parent) : QLineEdit(parent) {}
