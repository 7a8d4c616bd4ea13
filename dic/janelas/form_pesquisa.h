// The search-order dialog: the user's compiled dictionaries in the order
// the engine consults them, kept in "UserDic" of the current user.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include <QDialog>

class QListWidget;
class QPushButton;
class TUpDown;

class TFormPesquisa : public QDialog {
    Q_OBJECT
public:
    // `pastaInstalacao`: the folder the editor found the engine in, used
    // when the settings name none.
    TFormPesquisa(const std::string& pastaInstalacao, QWidget* pai = nullptr);

    // Reads the order and shows the dialog modally. False when the settings
    // store cannot be opened (reported).
    bool Mostrar();
    // Reads the settings into the list (the first part of Mostrar).
    bool Preparar();

    std::vector<std::string> Nomes() const;

    // Chooses a compiled dictionary: the folder to start in (the first the
    // engine looks in); "" on cancel.
    // Tests replace it.
    std::function<QString(const QString& pasta)> EscolherArquivo;

    QListWidget* ListBoxDicionarios;
    TUpDown* UpDownOrdem;
    QPushButton* ButtonAdicionar;
    QPushButton* ButtonRemover;
    QPushButton* ButtonOK;
    QPushButton* ButtonCancelar;

    void ButtonAdicionarClick();
    void ButtonRemoverClick();
    void ButtonOKClick();

private:
    void AtualizarLista(int selecionar);
    void UpDownOrdemClick(int posicao);
    std::string pastaInstalacao_;
    std::string pastaDicionarios_;
    std::vector<std::string> pastas_;  // where the engine looks, in its order
};
