#include "form_procurar.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "apoio_qt.h"

TFormProcurar::TFormProcurar(QWidget* pai) : QDialog(pai)
{
    setObjectName(QStringLiteral("FormProcurar"));
    setWindowTitle(QStringLiteral("Procurar"));
    setModal(true);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("Digite abaixo a entrada que deseja procurar no dicion\u00E1rio"), this));
    auto* linha = new QHBoxLayout;
    auto* rotulo = new QLabel(QStringLiteral("&Entrada :"), this);
    EditEntrada = new QLineEdit(this);
    EditEntrada->setObjectName(QStringLiteral("EditEntrada"));
    EditEntrada->setAccessibleName(QStringLiteral("Entrada"));
    EditEntrada->setToolTip(QStringLiteral("Entrada a procurar"));
    rotulo->setBuddy(EditEntrada);
    SoMinusculas(EditEntrada);
    linha->addWidget(rotulo);
    linha->addWidget(EditEntrada, 1);
    layout->addLayout(linha);
    auto* botoes = new QHBoxLayout;
    ButtonOK = new QPushButton(QStringLiteral("OK"), this);
    ButtonCancelar = new QPushButton(QStringLiteral("Cancelar"), this);
    ButtonOK->setObjectName(QStringLiteral("ButtonOK"));
    ButtonCancelar->setObjectName(QStringLiteral("ButtonCancelar"));
    ButtonOK->setDefault(true);
    botoes->addStretch(1);
    botoes->addWidget(ButtonOK);
    botoes->addWidget(ButtonCancelar);
    layout->addLayout(botoes);
    connect(ButtonOK, &QPushButton::clicked, this, &TFormProcurar::ButtonOKClick);
    connect(ButtonCancelar, &QPushButton::clicked, this, &QDialog::reject);
    setTabOrder(EditEntrada, ButtonOK);
    setTabOrder(ButtonOK, ButtonCancelar);
}

bool TFormProcurar::Mostrar()
{
    confirmado_ = false;
    EditEntrada->clear();
    EditEntrada->setFocus();
    exec();
    return confirmado_;
}

QString TFormProcurar::Palavra() const { return EditEntrada->text().trimmed(); }

void TFormProcurar::ButtonOKClick()
{
    if (Palavra().isEmpty()) {
        Caixa(this, Icone::Pare, QStringLiteral("Informe a entrada a procurar"));
        EditEntrada->setFocus();
        return;
    }
    confirmado_ = true;
    accept();
}
