#include "form_sobre.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

TFormSobre::TFormSobre(QWidget* pai) : QDialog(pai)
{
    setObjectName(QStringLiteral("FormSobre"));
    setWindowTitle(QStringLiteral("Sobre Dalvenne"));
    setModal(true);
    auto* layout = new QVBoxLayout(this);
    auto* nome = new QLabel(QStringLiteral("Dalvenne 1.2"), this);
    QFont fonte = nome->font();
    fonte.setPointSize(fonte.pointSize() + 4);
    fonte.setBold(true);
    nome->setFont(fonte);
    nome->setAlignment(Qt::AlignCenter);
    layout->addWidget(nome);
    auto* descricao = new QLabel(QStringLiteral("Editor de dicion\u00E1rios do usu\u00E1rio"), this);
    descricao->setAlignment(Qt::AlignCenter);
    layout->addWidget(descricao);
    ButtonOK = new QPushButton(QStringLiteral("OK"), this);
    ButtonOK->setDefault(true);
    layout->addWidget(ButtonOK, 0, Qt::AlignCenter);
    connect(ButtonOK, &QPushButton::clicked, this, &QDialog::accept);
    setFixedSize(sizeHint().expandedTo(QSize(260, 130)));
}
