// What the editor's windows share: text conversion at the window's edge,
// the message boxes under the caption "Dalvenne", and the up-down control.
#pragma once

#include <functional>
#include <string>

#include <QString>
#include <QWidget>

class QLineEdit;
class QToolButton;

// Windows-1252 <-> QString.
QString Q(const std::string& cp1252);
std::string Cp(const QString& texto);

// An edit field that takes lower case only: what is typed is lowered.
void SoMinusculas(QLineEdit* edit);

enum class Icone { Pare, Exclamacao, Pergunta };
enum class Resposta { Ok, Sim, Nao, Cancelar };

// Shows a message box captioned "Dalvenne": "OK" for errors and warnings,
// Yes/No/Cancel for a question. Tests install their own function to answer
// without a modal box.
using FuncCaixa = std::function<Resposta(Icone, const QString&)>;
void DefinirCaixa(FuncCaixa funcao);
Resposta Caixa(QWidget* pai, Icone icone, const QString& texto);

// An up-down control: two arrows that step a position between a minimum and
// a maximum without wrapping. With a step of -1 the upper arrow lowers the
// position (towards the top of a list). The empty range is -1 .. -1.
class TUpDown : public QWidget {
    Q_OBJECT
public:
    explicit TUpDown(QWidget* pai = nullptr);
    void DefinirFaixa(int minimo, int maximo);
    void DefinirPosicao(int posicao);
    int Posicao() const { return posicao_; }
    int Minimo() const { return minimo_; }
    int Maximo() const { return maximo_; }
    QToolButton* BotaoCima() const { return cima_; }
    QToolButton* BotaoBaixo() const { return baixo_; }

signals:
    // A click moved the position (not emitted at either end).
    void Clicado(int posicao);

protected:
    void changeEvent(QEvent* evento) override;
    void keyPressEvent(QKeyEvent* evento) override;

private:
    void Passo(int delta);
    void AtualizarBotoes();
    QToolButton* cima_;
    QToolButton* baixo_;
    int minimo_ = -1, maximo_ = -1, posicao_ = -1;
};
