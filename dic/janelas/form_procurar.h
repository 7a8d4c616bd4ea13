// The find dialog: asks for the entry word to look up.
#pragma once

#include <QDialog>

class QLineEdit;
class QPushButton;

class TFormProcurar : public QDialog {
    Q_OBJECT
public:
    explicit TFormProcurar(QWidget* pai = nullptr);

    // Shows the dialog modally; afterwards Confirmado() and Palavra().
    bool Mostrar();
    bool Confirmado() const { return confirmado_; }
    QString Palavra() const;

    QLineEdit* EditEntrada;
    QPushButton* ButtonOK;
    QPushButton* ButtonCancelar;

private:
    void ButtonOKClick();
    bool confirmado_ = false;
};
