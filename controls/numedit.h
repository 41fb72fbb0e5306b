#pragma once

#include <QLineEdit>

class TNumEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit TNumEdit(QWidget *parent = nullptr);
};
