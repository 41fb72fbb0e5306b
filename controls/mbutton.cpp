#include "mbutton.h"

TMButton::TMButton(QWidget *parent) : QWidget(parent) {}
