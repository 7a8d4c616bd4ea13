// The about window.
#pragma once

#include <QDialog>

class QPushButton;

class TFormSobre : public QDialog {
    Q_OBJECT
public:
    explicit TFormSobre(QWidget* pai = nullptr);
    QPushButton* ButtonOK;
};
