#include "apoio_qt.h"

#include <QEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMessageBox>
#include <QToolButton>
#include <QVBoxLayout>

#include "cp1252.h"

QString Q(const std::string& cp1252) { return QString::fromStdString(Cp1252ParaUtf8(cp1252)); }

std::string Cp(const QString& texto) { return Utf8ParaCp1252(texto.toStdString()); }

void SoMinusculas(QLineEdit* edit)
{
    QObject::connect(edit, &QLineEdit::textEdited, edit, [edit](const QString& t) {
        const QString m = t.toLower();
        if (m == t) return;
        const int cursor = edit->cursorPosition();
        edit->setText(m);
        edit->setCursorPosition(cursor);
    });
}

namespace {

FuncCaixa& FuncaoCaixa()
{
    static FuncCaixa f;
    return f;
}

} // namespace

void DefinirCaixa(FuncCaixa funcao) { FuncaoCaixa() = std::move(funcao); }

Resposta Caixa(QWidget* pai, Icone icone, const QString& texto)
{
    if (FuncaoCaixa()) return FuncaoCaixa()(icone, texto);
    const QString titulo = QStringLiteral("Dalvenne");
    switch (icone) {
    case Icone::Pare:
        QMessageBox::critical(pai, titulo, texto);
        return Resposta::Ok;
    case Icone::Exclamacao:
        QMessageBox::warning(pai, titulo, texto);
        return Resposta::Ok;
    case Icone::Pergunta:
        break;
    }
    const auto r = QMessageBox::question(pai, titulo, texto,
                                         QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel,
                                         QMessageBox::Yes);
    return r == QMessageBox::Yes ? Resposta::Sim : r == QMessageBox::No ? Resposta::Nao : Resposta::Cancelar;
}

TUpDown::TUpDown(QWidget* pai) : QWidget(pai)
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    cima_ = new QToolButton(this);
    baixo_ = new QToolButton(this);
    cima_->setArrowType(Qt::UpArrow);
    baixo_->setArrowType(Qt::DownArrow);
    for (auto* b : {cima_, baixo_}) {
        b->setFixedSize(18, 12);
        b->setFocusPolicy(Qt::NoFocus);
        b->setAutoRepeat(true);
        layout->addWidget(b);
    }
    cima_->setAccessibleName(QStringLiteral("Anterior"));
    baixo_->setAccessibleName(QStringLiteral("Pr\u00F3ximo"));
    setFocusPolicy(Qt::TabFocus);
    connect(cima_, &QToolButton::clicked, this, [this] { Passo(-1); });
    connect(baixo_, &QToolButton::clicked, this, [this] { Passo(1); });
    AtualizarBotoes();
}

void TUpDown::DefinirFaixa(int minimo, int maximo)
{
    minimo_ = minimo;
    maximo_ = maximo;
    if (posicao_ < minimo_) posicao_ = minimo_;
    if (posicao_ > maximo_) posicao_ = maximo_;
    AtualizarBotoes();
}

void TUpDown::DefinirPosicao(int posicao)
{
    posicao_ = std::max(minimo_, std::min(maximo_, posicao));
    AtualizarBotoes();
}

void TUpDown::Passo(int delta)
{
    const int nova = posicao_ + delta;
    if (nova < minimo_ || nova > maximo_) return;
    posicao_ = nova;
    AtualizarBotoes();
    emit Clicado(posicao_);
}

void TUpDown::AtualizarBotoes()
{
    cima_->setEnabled(isEnabled() && posicao_ > minimo_);
    baixo_->setEnabled(isEnabled() && posicao_ < maximo_);
}

void TUpDown::changeEvent(QEvent* evento)
{
    if (evento->type() == QEvent::EnabledChange) AtualizarBotoes();
    QWidget::changeEvent(evento);
}

void TUpDown::keyPressEvent(QKeyEvent* evento)
{
    if (evento->key() == Qt::Key_Up) Passo(-1);
    else if (evento->key() == Qt::Key_Down) Passo(1);
    else QWidget::keyPressEvent(evento);
}
