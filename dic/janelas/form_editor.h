// The dictionary editor's main window: one entry at a time, its Portuguese
// translations with their conditions, its classes and attributes.
#pragma once

#include <array>
#include <functional>
#include <string>

#include <QMainWindow>
#include <QTreeWidget>

#include "editor_estado.h"
#include "fonte.h"
#include "motor_editor.h"

class QAction;
class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QMenu;
class QSessionManager;
class QStackedWidget;
class QTabWidget;
class QToolButton;
class TFormPesquisa;
class TFormProcurar;
class TFormSobre;
class TUpDown;

// A line of the translations list: its text, the "Quando" column and the
// translation's record.
class ItemTraducao : public QTreeWidgetItem {
public:
    FichaTraducao ficha;
    QString anterior;  // the text before an edit, restored when it is refused
};

// The translations list: a line dragged onto another line of the same list
// moves there.
class TListaTraducoes : public QTreeWidget {
    Q_OBJECT
public:
    using QTreeWidget::QTreeWidget;
signals:
    void Soltar(QTreeWidgetItem* origem, QTreeWidgetItem* alvo);

protected:
    void dragEnterEvent(QDragEnterEvent* evento) override;
    void dragMoveEvent(QDragMoveEvent* evento) override;
    void dropEvent(QDropEvent* evento) override;
};

struct ConfigEditor {
    std::string pastaInstalacao;  // its "dic" holds the dictionaries when the user may write there
    std::string pastaAjuda;       // holds dic.html
    FuncConjugar conjugar = nullptr;
    // Whether the user may write in a folder; tests replace it.
    std::function<bool(const std::string&)> gravavel = PastaGravavel;
};

class TFormEditor : public QMainWindow {
    Q_OBJECT
public:
    explicit TFormEditor(const ConfigEditor& config, QWidget* pai = nullptr);
    ~TFormEditor() override;

    // File dialogs, replaced by tests: the folder and the proposed name; ""
    // when cancelled.
    std::function<QString(const QString& pasta)> EscolherAbrir;
    std::function<QString(const QString& pasta, const QString& nome)> EscolherSalvar;

    // Opens a source file as the open command does after its dialog.
    bool AbrirArquivo(const QString& caminho);

    // State the tests read.
    int IndiceAtual() const { return indice_; }
    bool DicionarioAlterado() const { return dicAlterado_; }
    bool EntradaAlterada() const { return entradaAlterada_; }
    bool Armado() const { return armado_; }
    const FichaEntrada& Ficha() const { return ficha_; }
    const DicionarioFonte& Dicionario() const { return dic_; }
    QString NomeArquivo() const { return nomeArquivo_; }
    QString Status() const;
    QString Posicao() const;
    int PaginaAtiva() const;  // a Pagina of editor_estado.h
    bool PaginaDisponivel(int pagina) const;

    // Menus and their actions.
    QMenu* MenuDicionario;
    QMenu* MenuEntrada;
    QMenu* MenuTraducao;
    QMenu* MenuAjuda;
    QMenu* MenuClasse;
    QMenu* PopupTraducoes;
    QAction *Novo, *Abrir, *Salvar, *SalvarComo, *OrdemPesquisa, *Sair;
    QAction *ProcurarEntrada, *NovaEntrada, *Classe, *Desfazer, *ExcluirEntrada;
    QAction *IncluirTraducao, *AlterarTraducao, *ExcluirTraducao;
    QAction *PopupIncluir, *PopupAlterar, *PopupExcluir;
    QAction *Conteudo, *Sobre;
    std::array<QAction*, 10> ItensClasse;  // in the order of ItemClasse

    // Speed buttons.
    QToolButton *SpeedButtonNovo, *SpeedButtonAbrir, *SpeedButtonSalvar, *SpeedButtonNovaEntrada,
        *SpeedButtonExcluirEntrada, *SpeedButtonProcurarEntrada, *SpeedButtonOrdem, *SpeedButtonClasse,
        *SpeedButtonSair, *SpeedButtonAjuda, *SpeedButtonDesfazer;

    QLineEdit* EditEntrada;
    TUpDown* UpDownEntradas;
    TListaTraducoes* ListViewTraducoes;
    QStackedWidget* PilhaPaginas;
    QTabWidget* PageControlClasses;
    QLabel* PainelPosicao;
    QLabel* PainelMensagem;

    // Page "Substantivo".
    QButtonGroup *RadioGroupGenero, *RadioGroupNumero;
    QCheckBox* CheckBoxAnimado;
    // Page "Adjetivo": de Estado, Título, Determinante, Concorda em número, Concorda em gênero.
    std::array<QCheckBox*, 5> CheckBoxAdjetivo;
    // Page "Artigo".
    QButtonGroup* RadioGroupTipoArtigo;
    // Page "Verbo Inglês": Infinitive, Past Tense, Past Participle, Present Simple, Gerund, the persons.
    std::array<QCheckBox*, 11> CheckBoxVerbo;
    QLabel* LabelInfinitivo;
    QLineEdit* EditInfinitivo;
    // Page "Verbo Português".
    QComboBox* ComboBoxTempos;
    std::array<QLabel*, 6> LabelPessoa;
    std::array<QLineEdit*, 6> EditPessoa;
    // Page "Pronome".
    QButtonGroup *RadioGroupTipoPronome, *RadioGroupPessoaPronome;
    // Page "Avançado": connectors of rows 2 and 3, operators and options of rows 1-3.
    QComboBox *ComboBoxConector2, *ComboBoxConector3;
    std::array<QComboBox*, 3> QuandoFor;
    std::array<QComboBox*, 3> ComboBoxOpcao;

    TFormProcurar* FormProcurar;
    TFormPesquisa* FormPesquisa;
    TFormSobre* FormSobre;

    // The commands, as the menus and buttons run them.
    void NovoClick();
    void AbrirClick();
    bool SalvarClick();
    bool SalvarComoClick();
    void OrdemPesquisaClick();
    void NovaEntradaClick();
    void ProcurarEntradaClick();
    void ExcluirEntradaClick();
    void DesfazerClick();
    void ClasseClick();
    void ItemClasseClick();
    void IncluirTraducaoClick();
    void AlterarTraducaoClick();
    void ExcluirTraducaoClick();
    void UpDownEntradasClick(int posicao);
    void ListViewTraducoesDragDrop(QTreeWidgetItem* origem, QTreeWidgetItem* alvo);
    void ConteudoClick();

protected:
    void showEvent(QShowEvent* evento) override;
    void closeEvent(QCloseEvent* evento) override;
    bool eventFilter(QObject* objeto, QEvent* evento) override;

private:
    void CriarMenus();
    void CriarBotoes(QWidget* barra);
    QWidget* CriarPaginas();
    void Reiniciar();
    void HabilitarEntrada(bool sim);
    void HabilitarTraducao(bool sim);
    void AtualizarDesfazer();
    void MarcarAlterado();
    void LimparAlterado();
    void MostrarStatus(const QString& mensagem);
    void AtualizarPosicao();
    void AtualizarTitulo();
    bool PerguntaSalvar();
    bool GravarAtual();
    bool SalvarEm(const std::string& caminho);
    void MostrarIndice(int indice);
    void SelecionarPrimeira();
    void AtualizarPaginas();
    void MostrarControles();
    void LerControles();
    void AtributoAlterado();
    void MostrarTempo();
    void MostrarCondicoes();
    void CondicaoAlterada();
    void AjustarInfinitivo();
    void FocoMudou(QWidget* antigo, QWidget* novo);
    void TraducaoEditada(QTreeWidgetItem* item, int coluna);
    void SessaoTermina(QSessionManager& sessao);
    ItemTraducao* TraducaoAtual() const;
    ItemTraducao* NovaLinha(const LinhaTraducao& linha);

    ConfigEditor config_;
    std::string pastaDicionarios_;
    DicionarioFonte dic_;
    FichaEntrada ficha_;
    QString nomeArquivo_;
    int indice_ = -1;
    bool dicAlterado_ = false;
    bool entradaAlterada_ = false;
    bool armado_ = false;
    bool comandosEntrada_ = false;
    bool comandosTraducao_ = false;
    bool iniciado_ = false;
    int bloqueio_ = 0;  // > 0 while the window sets its own controls
};
