#pragma once

#include <QWidget>

class TMButton : public QWidget {
    Q_OBJECT
public:
    explicit TMButton(QWidget *parent = nullptr);
};
