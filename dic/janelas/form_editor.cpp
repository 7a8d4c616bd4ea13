#include "form_editor.h"

#include <QAction>
#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDesktopServices>
#include <QDropEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QRadioButton>
#include <QSessionManager>
#include <QStackedWidget>
#include <QStatusBar>
#include <QStyle>
#include <QStyledItemDelegate>
#include <QTabWidget>
#include <QToolButton>
#include <QUrl>
#include <QVBoxLayout>

#include <cstdio>
#include <cstring>

#include "apoio_qt.h"
#include "editor_estado.h"
#include "form_pesquisa.h"
#include "form_procurar.h"
#include "form_sobre.h"
#include "mensagens.h"

namespace {

const QString kNovoDicionario = QStringLiteral("Novo Dicion\u00E1rio.lex");

// Sets a radio group to `indice` (-1: none checked).
void DefinirRadio(QButtonGroup* grupo, int indice)
{
    grupo->setExclusive(false);
    for (QAbstractButton* b : grupo->buttons()) b->setChecked(grupo->id(b) == indice);
    grupo->setExclusive(true);
}

QButtonGroup* CriarRadio(QWidget* pai, QGridLayout* layout, int linha, const QString& titulo,
                         const QStringList& itens, int colunas = 1)
{
    auto* caixa = new QGroupBox(titulo, pai);
    auto* grade = new QGridLayout(caixa);
    auto* grupo = new QButtonGroup(caixa);
    for (int i = 0; i < itens.size(); ++i) {
        auto* r = new QRadioButton(itens[i], caixa);
        grupo->addButton(r, i);
        grade->addWidget(r, i / colunas, i % colunas);
    }
    layout->addWidget(caixa, linha, 0);
    return grupo;
}

QComboBox* CriarLista(QWidget* pai, const char* const* nomes, int n, const QString& acessivel)
{
    auto* c = new QComboBox(pai);
    for (int i = 0; i < n; ++i) c->addItem(Q(nomes[i]));
    c->setAccessibleName(acessivel);
    c->setToolTip(acessivel);
    return c;
}

// The "Quando" column is written by the condition lists, never typed.
class SemEdicao : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QWidget* createEditor(QWidget*, const QStyleOptionViewItem&, const QModelIndex&) const override { return nullptr; }
};

} // namespace

void TListaTraducoes::dragEnterEvent(QDragEnterEvent* evento)
{
    if (evento->source() == this) evento->acceptProposedAction();
    else evento->ignore();
}

void TListaTraducoes::dragMoveEvent(QDragMoveEvent* evento)
{
    QTreeWidgetItem* alvo = itemAt(evento->position().toPoint());
    if (evento->source() == this && alvo && alvo != currentItem()) evento->acceptProposedAction();
    else evento->ignore();
}

void TListaTraducoes::dropEvent(QDropEvent* evento)
{
    QTreeWidgetItem* alvo = itemAt(evento->position().toPoint());
    QTreeWidgetItem* origem = currentItem();
    if (evento->source() != this || !alvo || !origem || alvo == origem) {
        evento->ignore();
        return;
    }
    // Copy, so that the view does not remove the dragged line itself: the
    // window moves it together with its record.
    evento->setDropAction(Qt::CopyAction);
    evento->accept();
    emit Soltar(origem, alvo);
}

TFormEditor::TFormEditor(const ConfigEditor& config, QWidget* pai) : QMainWindow(pai), config_(config)
{
    setObjectName(QStringLiteral("FormEditor"));
    // An installed suite's folder belongs to the system: the user's
    // dictionaries then live in the user's own folder.
    pastaDicionarios_ = PastaDosDicionarios(config_.pastaInstalacao, config_.gravavel);
    // The model's and the compiler's messages become boxes of this window.
    DefinirSaidaMensagens([this](const std::string&, const std::string& texto) {
        Caixa(this, Icone::Pare, Q(texto));
        return 1;
    });
    nomeArquivo_ = kNovoDicionario;

    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);
    auto* barra = new QWidget(central);
    CriarBotoes(barra);
    layout->addWidget(barra);

    auto* linhaEntrada = new QHBoxLayout;
    auto* rotulo = new QLabel(QStringLiteral("E&ntrada"), central);
    EditEntrada = new QLineEdit(central);
    EditEntrada->setObjectName(QStringLiteral("EditEntrada"));
    EditEntrada->setToolTip(QStringLiteral("Entrada"));
    EditEntrada->setAccessibleName(QStringLiteral("Entrada"));
    SoMinusculas(EditEntrada);
    rotulo->setBuddy(EditEntrada);
    UpDownEntradas = new TUpDown(central);
    UpDownEntradas->setObjectName(QStringLiteral("UpDownEntradas"));
    UpDownEntradas->setAccessibleName(QStringLiteral("Navegar entre as entradas"));
    UpDownEntradas->setToolTip(QStringLiteral("Entrada anterior / pr\u00F3xima"));
    linhaEntrada->addWidget(rotulo);
    linhaEntrada->addWidget(EditEntrada, 1);
    linhaEntrada->addWidget(UpDownEntradas);
    layout->addLayout(linhaEntrada);

    auto* corpo = new QHBoxLayout;
    ListViewTraducoes = new TListaTraducoes(central);
    ListViewTraducoes->setObjectName(QStringLiteral("ListViewTraducoes"));
    ListViewTraducoes->setColumnCount(2);
    ListViewTraducoes->setHeaderLabels({QStringLiteral("Tradu\u00E7\u00F5es"), QStringLiteral("Quando")});
    ListViewTraducoes->setRootIsDecorated(false);
    ListViewTraducoes->setEditTriggers(QAbstractItemView::EditKeyPressed | QAbstractItemView::SelectedClicked);
    ListViewTraducoes->setDragEnabled(true);
    ListViewTraducoes->setAcceptDrops(true);
    ListViewTraducoes->setDragDropMode(QAbstractItemView::DragDrop);
    ListViewTraducoes->setDefaultDropAction(Qt::CopyAction);
    ListViewTraducoes->setItemDelegateForColumn(1, new SemEdicao(ListViewTraducoes));
    ListViewTraducoes->setContextMenuPolicy(Qt::CustomContextMenu);
    ListViewTraducoes->setAccessibleName(QStringLiteral("Tradu\u00E7\u00F5es"));
    ListViewTraducoes->setToolTip(QStringLiteral("Tradu\u00E7\u00F5es da entrada; arraste para mudar a ordem"));
    ListViewTraducoes->header()->resizeSection(0, 150);
    ListViewTraducoes->setMinimumWidth(330);
    corpo->addWidget(ListViewTraducoes);
    corpo->addWidget(CriarPaginas(), 1);
    layout->addLayout(corpo, 1);
    setCentralWidget(central);

    PainelPosicao = new QLabel(QStringLiteral("0 : 0"), this);
    PainelPosicao->setMinimumWidth(80);
    PainelMensagem = new QLabel(this);
    statusBar()->addWidget(PainelPosicao);
    statusBar()->addWidget(PainelMensagem, 1);
    statusBar()->setSizeGripEnabled(false);

    CriarMenus();
    FormProcurar = new TFormProcurar(this);
    FormPesquisa = new TFormPesquisa(config_.pastaInstalacao, this);
    FormSobre = new TFormSobre(this);

    EscolherAbrir = [this](const QString& pasta) {
        QFileDialog d(this, QStringLiteral("Abrir Dicion\u00E1rio"), pasta, QStringLiteral("Dicion\u00E1rios (*.lex)"));
        d.setFileMode(QFileDialog::ExistingFile);
        d.setDefaultSuffix(QStringLiteral("lex"));
        if (d.exec() != QDialog::Accepted || d.selectedFiles().isEmpty()) return QString();
        return d.selectedFiles().front();
    };
    EscolherSalvar = [this](const QString& pasta, const QString& nome) {
        QFileDialog d(this, QStringLiteral("Salvar Dicion\u00E1rio"), pasta + "/" + nome,
                      QStringLiteral("Dicion\u00E1rios (*.lex)"));
        d.setAcceptMode(QFileDialog::AcceptSave);
        d.setDefaultSuffix(QStringLiteral("lex"));
        if (d.exec() != QDialog::Accepted || d.selectedFiles().isEmpty()) return QString();
        return d.selectedFiles().front();
    };

    connect(EditEntrada, &QLineEdit::returnPressed, this, [this] { ListViewTraducoes->setFocus(); });
    connect(UpDownEntradas, &TUpDown::Clicado, this, &TFormEditor::UpDownEntradasClick);
    connect(ListViewTraducoes, &TListaTraducoes::Soltar, this, &TFormEditor::ListViewTraducoesDragDrop);
    connect(ListViewTraducoes, &QTreeWidget::itemChanged, this, &TFormEditor::TraducaoEditada);
    connect(ListViewTraducoes, &QTreeWidget::currentItemChanged, this, [this] {
        if (bloqueio_) return;
        MostrarCondicoes();
        AtualizarPaginas();
    });
    connect(ListViewTraducoes, &QWidget::customContextMenuRequested, this, [this](const QPoint& p) {
        if (comandosTraducao_) PopupTraducoes->popup(ListViewTraducoes->viewport()->mapToGlobal(p));
    });
    connect(qApp, &QApplication::focusChanged, this, &TFormEditor::FocoMudou);
    connect(qApp, &QGuiApplication::commitDataRequest, this, &TFormEditor::SessaoTermina);

    EditEntrada->installEventFilter(this);
    EditInfinitivo->installEventFilter(this);
    setTabOrder(EditEntrada, UpDownEntradas);
    setTabOrder(UpDownEntradas, ListViewTraducoes);
    setTabOrder(ListViewTraducoes, PageControlClasses);

    // Start-up: an empty dictionary, nothing to edit yet.
    UpDownEntradas->DefinirFaixa(-1, -1);
    AtualizarTitulo();
    Reiniciar();
    LimparAlterado();
    HabilitarEntrada(false);
    HabilitarTraducao(false);
    setFixedSize(sizeHint().expandedTo(QSize(760, 470)));
}

TFormEditor::~TFormEditor()
{
    // The children die after this part of the window: their last signals
    // (focus leaving, the list emptied) must not reach it.
    disconnect(qApp, nullptr, this, nullptr);
    for (QObject* filho : findChildren<QObject*>()) filho->blockSignals(true);
    DefinirSaidaMensagens({});
}

void TFormEditor::CriarBotoes(QWidget* barra)
{
    auto* layout = new QHBoxLayout(barra);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    auto botao = [&](QToolButton*& b, const char* nome, QStyle::StandardPixmap icone, const QString& dica,
                     auto acao) {
        b = new QToolButton(barra);
        b->setObjectName(QString::fromLatin1(nome));
        b->setIcon(style()->standardIcon(icone));
        b->setIconSize(QSize(22, 22));
        b->setToolTip(dica);
        b->setAccessibleName(dica);
        b->setAutoRaise(true);
        b->setFocusPolicy(Qt::TabFocus);
        connect(b, &QToolButton::clicked, this, acao);
        layout->addWidget(b);
    };
    botao(SpeedButtonNovo, "SpeedButtonNovo", QStyle::SP_FileIcon, QStringLiteral("Novo Dicion\u00E1rio"),
          [this] { NovoClick(); });
    botao(SpeedButtonAbrir, "SpeedButtonAbrir", QStyle::SP_DialogOpenButton, QStringLiteral("Abrir Dicion\u00E1rio"),
          [this] { AbrirClick(); });
    botao(SpeedButtonSalvar, "SpeedButtonSalvar", QStyle::SP_DialogSaveButton,
          QStringLiteral("Salvar Dicion\u00E1rio"), [this] { SalvarClick(); });
    layout->addSpacing(10);
    botao(SpeedButtonNovaEntrada, "SpeedButtonNovaEntrada", QStyle::SP_FileDialogNewFolder,
          QStringLiteral("Nova Entrada"), [this] { NovaEntradaClick(); });
    botao(SpeedButtonExcluirEntrada, "SpeedButtonExcluirEntrada", QStyle::SP_TrashIcon,
          QStringLiteral("Excluir Entrada"), [this] { ExcluirEntradaClick(); });
    botao(SpeedButtonProcurarEntrada, "SpeedButtonProcurarEntrada", QStyle::SP_FileDialogContentsView,
          QStringLiteral("Procurar Entrada"), [this] { ProcurarEntradaClick(); });
    botao(SpeedButtonOrdem, "SpeedButtonOrdem", QStyle::SP_FileDialogDetailedView,
          QStringLiteral("Ordem de Pesquisa"), [this] { OrdemPesquisaClick(); });
    botao(SpeedButtonClasse, "SpeedButtonClasse", QStyle::SP_FileDialogInfoView, QStringLiteral("Selecionar Classe"),
          [this] { ClasseClick(); });
    botao(SpeedButtonDesfazer, "SpeedButtonDesfazer", QStyle::SP_ArrowBack, QStringLiteral("Desfazer altera\u00E7\u00E3o"),
          [this] { DesfazerClick(); });
    layout->addSpacing(10);
    botao(SpeedButtonAjuda, "SpeedButtonAjuda", QStyle::SP_DialogHelpButton, QStringLiteral("Ajuda"),
          [this] { ConteudoClick(); });
    botao(SpeedButtonSair, "SpeedButtonSair", QStyle::SP_DialogCloseButton, QStringLiteral("Sair"),
          [this] { close(); });
    layout->addStretch(1);
}

void TFormEditor::CriarMenus()
{
    auto acao = [this](QMenu* menu, const QString& texto, const QKeySequence& atalho, auto funcao) {
        QAction* a = menu->addAction(texto);
        if (!atalho.isEmpty()) a->setShortcut(atalho);
        connect(a, &QAction::triggered, this, funcao);
        return a;
    };
    MenuDicionario = menuBar()->addMenu(QStringLiteral("&Dicion\u00E1rio"));
    Novo = acao(MenuDicionario, QStringLiteral("&Novo"), {}, [this] { NovoClick(); });
    Abrir = acao(MenuDicionario, QStringLiteral("&Abrir"), QKeySequence(QStringLiteral("Ctrl+A")),
                 [this] { AbrirClick(); });
    Salvar = acao(MenuDicionario, QStringLiteral("&Salvar"), QKeySequence(QStringLiteral("Ctrl+S")),
                  [this] { SalvarClick(); });
    SalvarComo = acao(MenuDicionario, QStringLiteral("Salvar &Como..."), {}, [this] { SalvarComoClick(); });
    MenuDicionario->addSeparator();
    OrdemPesquisa = acao(MenuDicionario, QStringLiteral("&Ordem de Pesquisa..."), {}, [this] { OrdemPesquisaClick(); });
    MenuDicionario->addSeparator();
    Sair = acao(MenuDicionario, QStringLiteral("Sai&r"), QKeySequence(QStringLiteral("Ctrl+Q")), [this] { close(); });

    MenuEntrada = menuBar()->addMenu(QStringLiteral("&Entrada"));
    ProcurarEntrada = acao(MenuEntrada, QStringLiteral("&Procurar"), QKeySequence(QStringLiteral("Ctrl+P")),
                           [this] { ProcurarEntradaClick(); });
    NovaEntrada = acao(MenuEntrada, QStringLiteral("&Nova"), QKeySequence(QStringLiteral("Ctrl+N")),
                       [this] { NovaEntradaClick(); });
    Classe = acao(MenuEntrada, QStringLiteral("&Classe"), QKeySequence(QStringLiteral("Ctrl+C")),
                  [this] { ClasseClick(); });
    Desfazer = acao(MenuEntrada, QStringLiteral("&Desfazer"), QKeySequence(QStringLiteral("Ctrl+D")),
                    [this] { DesfazerClick(); });
    ExcluirEntrada = acao(MenuEntrada, QStringLiteral("&Excluir"), {}, [this] { ExcluirEntradaClick(); });

    MenuTraducao = menuBar()->addMenu(QStringLiteral("&Tradu\u00E7\u00E3o"));
    IncluirTraducao = acao(MenuTraducao, QStringLiteral("&Incluir"), QKeySequence(QStringLiteral("Ctrl+T")),
                           [this] { IncluirTraducaoClick(); });
    AlterarTraducao = acao(MenuTraducao, QStringLiteral("&Alterar"), QKeySequence(QStringLiteral("Ctrl+E")),
                           [this] { AlterarTraducaoClick(); });
    ExcluirTraducao = acao(MenuTraducao, QStringLiteral("&Excluir"), {}, [this] { ExcluirTraducaoClick(); });
    // Opening the menu while a new word is being typed stores it first, as
    // the class menu does.
    connect(MenuTraducao, &QMenu::aboutToShow, this, [this] {
        if (armado_) ListViewTraducoes->setFocus();
    });

    MenuAjuda = menuBar()->addMenu(QStringLiteral("A&juda"));
    Conteudo = acao(MenuAjuda, QStringLiteral("&Conte\u00FAdo"), QKeySequence(QKeySequence::HelpContents),
                    [this] { ConteudoClick(); });
    Sobre = acao(MenuAjuda, QStringLiteral("&Sobre"), {}, [this] { FormSobre->exec(); });

    PopupTraducoes = new QMenu(this);
    PopupIncluir = acao(PopupTraducoes, QStringLiteral("&Incluir tradu\u00E7\u00E3o"), {}, [this] { IncluirTraducaoClick(); });
    PopupAlterar = acao(PopupTraducoes, QStringLiteral("&Alterar tradu\u00E7\u00E3o"), {}, [this] { AlterarTraducaoClick(); });
    PopupExcluir = acao(PopupTraducoes, QStringLiteral("&Excluir tradu\u00E7\u00E3o"), {}, [this] { ExcluirTraducaoClick(); });

    MenuClasse = new QMenu(this);
    MenuClasse->setObjectName(QStringLiteral("MenuClasse"));
    const QString nomes[kNumClasses] = {
        QStringLiteral("&Substantivo"), QStringLiteral("&Adjetivo"),   QStringLiteral("&Verbo"),
        QStringLiteral("A&dv\u00E9rbio"), QStringLiteral("&Interjei\u00E7\u00E3o"), QStringLiteral("A&rtigo"),
        QStringLiteral("&Conjun\u00E7\u00E3o"), QStringLiteral("&Preposi\u00E7\u00E3o"), QStringLiteral("Pro&nome"),
        QStringLiteral("Verbo Au&xiliar")};
    for (int i = 0; i < kNumClasses; ++i) {
        ItensClasse[static_cast<std::size_t>(i)] =
            acao(MenuClasse, nomes[i], {}, [this] { ItemClasseClick(); });
        ItensClasse[static_cast<std::size_t>(i)]->setCheckable(true);
    }
}

QWidget* TFormEditor::CriarPaginas()
{
    PilhaPaginas = new QStackedWidget(this);
    auto* vazia = new QWidget(PilhaPaginas);
    vazia->setObjectName(QStringLiteral("TabSheetVazia"));
    PilhaPaginas->addWidget(vazia);
    PageControlClasses = new QTabWidget(PilhaPaginas);
    PageControlClasses->setObjectName(QStringLiteral("PageControlClasses"));
    PilhaPaginas->addWidget(PageControlClasses);

    auto pagina = [this](const QString& titulo) {
        auto* w = new QWidget(PageControlClasses);
        PageControlClasses->addTab(w, titulo);
        return w;
    };

    {  // Substantivo
        auto* w = pagina(QStringLiteral("&Substantivo"));
        auto* g = new QGridLayout(w);
        RadioGroupGenero = CriarRadio(w, g, 0, QStringLiteral("G\u00EAnero"),
                                      {QStringLiteral("&Masculino"), QStringLiteral("&Feminino")});
        RadioGroupNumero = CriarRadio(w, g, 1, QStringLiteral("N\u00FAmero"),
                                      {QStringLiteral("Sin&gular"), QStringLiteral("P&lural")});
        CheckBoxAnimado = new QCheckBox(QStringLiteral("An&imado"), w);
        g->addWidget(CheckBoxAnimado, 2, 0);
        g->setRowStretch(3, 1);
    }
    {  // Adjetivo
        auto* w = pagina(QStringLiteral("&Adjetivo"));
        auto* v = new QVBoxLayout(w);
        const QString textos[5] = {QStringLiteral("de Estad&o"), QStringLiteral("T\u00EDt&ulo"),
                                   QStringLiteral("Deter&minante"), QStringLiteral("&Concorda em n\u00FAmero"),
                                   QStringLiteral("Concorda em &g\u00EAnero")};
        for (int i = 0; i < 5; ++i) {
            CheckBoxAdjetivo[static_cast<std::size_t>(i)] = new QCheckBox(textos[i], w);
            v->addWidget(CheckBoxAdjetivo[static_cast<std::size_t>(i)]);
        }
        v->addStretch(1);
    }
    {  // Artigo
        auto* w = pagina(QStringLiteral("A&rtigo"));
        auto* g = new QGridLayout(w);
        RadioGroupTipoArtigo = CriarRadio(w, g, 0, QStringLiteral("Tipo"),
                                          {QStringLiteral("De&finido"), QStringLiteral("&Indefinido")});
        g->setRowStretch(1, 1);
    }
    {  // Verbo Inglês
        auto* w = pagina(QStringLiteral("&Verbo Ingl\u00EAs"));
        auto* g = new QGridLayout(w);
        const char* textos[11] = {"In&finitive", "Past Tense", "Past Partic&iple", "Present Simp&le", "&Gerund",
                                  "I", "&You", "&He/She/It", "&We", "Yo&u", "They"};
        for (int i = 0; i < 11; ++i) {
            auto* c = new QCheckBox(QString::fromLatin1(textos[i]), w);
            CheckBoxVerbo[static_cast<std::size_t>(i)] = c;
            if (i == 6) c->setAccessibleName(QStringLiteral("You (segunda pessoa do singular)"));
            if (i == 9) c->setAccessibleName(QStringLiteral("You (segunda pessoa do plural)"));
            g->addWidget(c, i < 5 ? i : i - 5, i < 5 ? 0 : 1);
        }
        LabelInfinitivo = new QLabel(QStringLiteral("Infinitive For&m"), w);
        EditInfinitivo = new QLineEdit(w);
        EditInfinitivo->setObjectName(QStringLiteral("EditInfinitivo"));
        EditInfinitivo->setAccessibleName(QStringLiteral("Infinitive Form"));
        EditInfinitivo->setToolTip(QStringLiteral("Forma infinitiva da entrada"));
        SoMinusculas(EditInfinitivo);
        LabelInfinitivo->setBuddy(EditInfinitivo);
        g->addWidget(LabelInfinitivo, 6, 0);
        g->addWidget(EditInfinitivo, 6, 1);
        g->setRowStretch(7, 1);
    }
    {  // Verbo Português
        auto* w = pagina(QStringLiteral("Verbo &Portugu\u00EAs"));
        auto* g = new QGridLayout(w);
        ComboBoxTempos = new QComboBox(w);
        ComboBoxTempos->setObjectName(QStringLiteral("ComboBoxTempos"));
        ComboBoxTempos->addItems({QStringLiteral("Presente do Indicativo"), QStringLiteral("Pret\u00E9rito Perfeito"),
                                  QStringLiteral("Pret\u00E9rito Imperfeito"), QStringLiteral("Futuro do Presente"),
                                  QStringLiteral("Futuro do Pret\u00E9rito"), QStringLiteral("Imperativo"),
                                  QStringLiteral("Partic\u00EDpio"), QStringLiteral("Ger\u00FAndio")});
        ComboBoxTempos->setAccessibleName(QStringLiteral("Tempo"));
        ComboBoxTempos->setToolTip(QStringLiteral("Tempo verbal"));
        g->addWidget(ComboBoxTempos, 0, 0, 1, 2);
        const QString pessoas[6] = {QStringLiteral("eu"),  QStringLiteral("tu"),  QStringLiteral("ele / ela"),
                                    QStringLiteral("n\u00F3s"), QStringLiteral("v\u00F3s"), QStringLiteral("eles / elas")};
        for (int p = 0; p < 6; ++p) {
            LabelPessoa[static_cast<std::size_t>(p)] = new QLabel(pessoas[p], w);
            auto* e = new QLineEdit(w);
            e->setReadOnly(true);
            e->setAccessibleName(pessoas[p]);
            EditPessoa[static_cast<std::size_t>(p)] = e;
            LabelPessoa[static_cast<std::size_t>(p)]->setBuddy(e);
            g->addWidget(LabelPessoa[static_cast<std::size_t>(p)], p + 1, 0);
            g->addWidget(e, p + 1, 1);
        }
        g->setRowStretch(7, 1);
        connect(ComboBoxTempos, &QComboBox::currentIndexChanged, this, [this] { MostrarTempo(); });
    }
    {  // Pronome
        auto* w = pagina(QStringLiteral("Pr&onome"));
        auto* g = new QGridLayout(w);
        RadioGroupTipoPronome = CriarRadio(
            w, g, 0, QStringLiteral("Tipo"),
            {QStringLiteral("Pessoal"), QStringLiteral("Possessivo"), QStringLiteral("Demonstrativo"),
             QStringLiteral("Interrogativo"), QStringLiteral("Negativo")},
            2);
        RadioGroupPessoaPronome = CriarRadio(
            w, g, 1, QStringLiteral("Pessoa"),
            {QStringLiteral("Primeira Pessoa Singular"), QStringLiteral("Segunda Pessoa Singular"),
             QStringLiteral("Terceira Pessoa Singular"), QStringLiteral("Primeira Pessoa Plural"),
             QStringLiteral("Segunda Pessoa Plural"), QStringLiteral("Terceira Pessoa Plural")},
            2);
        g->setRowStretch(2, 1);
    }
    {  // Avançado
        auto* w = pagina(QStringLiteral("Avan&\u00E7ado"));
        auto* g = new QGridLayout(w);
        g->addWidget(new QLabel(QStringLiteral("Quando a palavra:"), w), 0, 0, 1, 3);
        const QString linhas[3] = {QStringLiteral("primeira"), QStringLiteral("segunda"), QStringLiteral("terceira")};
        for (int k = 0; k < 3; ++k) {
            QuandoFor[static_cast<std::size_t>(k)] = CriarLista(w, NomesOperador.data(), kNumOperadores,
                                                                QStringLiteral("Condi\u00E7\u00E3o ") + linhas[k]);
            ComboBoxOpcao[static_cast<std::size_t>(k)] = CriarLista(w, NomesOpcao.data(), kNumOpcoes,
                                                                    QStringLiteral("Op\u00E7\u00E3o da condi\u00E7\u00E3o ") + linhas[k]);
            g->addWidget(QuandoFor[static_cast<std::size_t>(k)], k + 1, 1);
            g->addWidget(ComboBoxOpcao[static_cast<std::size_t>(k)], k + 1, 2);
        }
        ComboBoxConector2 = CriarLista(w, NomesConector.data(), kNumConectores, QStringLiteral("Conector da segunda condi\u00E7\u00E3o"));
        ComboBoxConector3 = CriarLista(w, NomesConector.data(), kNumConectores, QStringLiteral("Conector da terceira condi\u00E7\u00E3o"));
        g->addWidget(ComboBoxConector2, 2, 0);
        g->addWidget(ComboBoxConector3, 3, 0);
        g->setRowStretch(4, 1);
        for (QComboBox* c : {ComboBoxConector2, ComboBoxConector3, QuandoFor[0], QuandoFor[1], QuandoFor[2],
                             ComboBoxOpcao[0], ComboBoxOpcao[1], ComboBoxOpcao[2]})
            connect(c, &QComboBox::activated, this, [this] { CondicaoAlterada(); });
    }

    // An attribute changed by the user changes the entry.
    for (QButtonGroup* grupo : {RadioGroupGenero, RadioGroupNumero, RadioGroupTipoArtigo, RadioGroupTipoPronome,
                                RadioGroupPessoaPronome})
        connect(grupo, &QButtonGroup::idClicked, this, [this] { AtributoAlterado(); });
    connect(CheckBoxAnimado, &QCheckBox::clicked, this, [this] { AtributoAlterado(); });
    for (QCheckBox* c : CheckBoxAdjetivo) connect(c, &QCheckBox::clicked, this, [this] { AtributoAlterado(); });
    for (QCheckBox* c : CheckBoxVerbo)
        connect(c, &QCheckBox::clicked, this, [this] {
            AtributoAlterado();
            AjustarInfinitivo();
        });
    connect(EditInfinitivo, &QLineEdit::textEdited, this, [this] { AtributoAlterado(); });
    PilhaPaginas->setMinimumWidth(400);
    return PilhaPaginas;
}

// ---- State, status and command groups --------------------------------------

QString TFormEditor::Status() const { return PainelMensagem->text(); }
QString TFormEditor::Posicao() const { return PainelPosicao->text(); }

int TFormEditor::PaginaAtiva() const
{
    return PilhaPaginas->currentIndex() == 0 ? kPaginaVazia : PageControlClasses->currentIndex();
}

bool TFormEditor::PaginaDisponivel(int pagina) const { return PageControlClasses->isTabVisible(pagina); }

void TFormEditor::AtualizarTitulo() { setWindowTitle(QStringLiteral("Dalvenne - ") + nomeArquivo_); }

void TFormEditor::AtualizarPosicao()
{
    PainelPosicao->setText(QStringLiteral("%1 : %2").arg(indice_ + 1).arg(dic_.Contagem()));
}

void TFormEditor::MostrarStatus(const QString& mensagem)
{
    AtualizarPosicao();
    PainelMensagem->setText(mensagem);
}

void TFormEditor::HabilitarEntrada(bool sim)
{
    comandosEntrada_ = sim;
    for (QAction* a : {ExcluirEntrada, ProcurarEntrada}) a->setEnabled(sim);
    for (QToolButton* b : {SpeedButtonClasse, SpeedButtonExcluirEntrada, SpeedButtonProcurarEntrada})
        b->setEnabled(sim);
    EditEntrada->setEnabled(sim);
    AtualizarDesfazer();
}

void TFormEditor::AtualizarDesfazer()
{
    const bool sim = comandosEntrada_ && entradaAlterada_;
    Desfazer->setEnabled(sim);
    SpeedButtonDesfazer->setEnabled(sim);
}

void TFormEditor::HabilitarTraducao(bool sim)
{
    comandosTraducao_ = sim;
    for (QAction* a : {IncluirTraducao, AlterarTraducao, ExcluirTraducao}) a->setEnabled(sim);
}

void TFormEditor::MarcarAlterado()
{
    dicAlterado_ = true;
    entradaAlterada_ = true;
    AtualizarDesfazer();
    UpDownEntradas->DefinirFaixa(0, dic_.Contagem() - 1);
}

void TFormEditor::LimparAlterado()
{
    dicAlterado_ = false;
    entradaAlterada_ = false;
    AtualizarDesfazer();
}

void TFormEditor::Reiniciar()
{
    ++bloqueio_;
    ListViewTraducoes->clear();
    EditEntrada->clear();
    indice_ = -1;
    ComboBoxTempos->setCurrentIndex(0);
    ficha_.Limpar();
    --bloqueio_;
    MostrarCondicoes();
    AtualizarPaginas();
}

// ---- Entries ------------------------------------------------------------------

ItemTraducao* TFormEditor::TraducaoAtual() const
{
    return static_cast<ItemTraducao*>(ListViewTraducoes->currentItem());
}

ItemTraducao* TFormEditor::NovaLinha(const LinhaTraducao& linha)
{
    ++bloqueio_;
    auto* item = new ItemTraducao;
    item->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled | Qt::ItemIsEditable | Qt::ItemIsDragEnabled);
    item->setText(0, Q(linha.traducao));
    item->setText(1, Q(linha.quando));
    item->ficha = linha.ficha;
    item->anterior = item->text(0);
    ListViewTraducoes->addTopLevelItem(item);
    --bloqueio_;
    return item;
}

void TFormEditor::MostrarIndice(int indice)
{
    TelaEntrada tela;
    FichaEntrada ficha;
    if (!dic_.MostrarEntrada(indice, tela, ficha)) return;
    ++bloqueio_;
    ListViewTraducoes->clear();
    EditEntrada->setText(Q(tela.chave));
    ficha_ = ficha;
    for (const auto& l : tela.traducoes) NovaLinha(l);
    indice_ = indice;
    --bloqueio_;
}

void TFormEditor::SelecionarPrimeira()
{
    const bool tem = ListViewTraducoes->topLevelItemCount() > 0;
    ++bloqueio_;
    ListViewTraducoes->setCurrentItem(tem ? ListViewTraducoes->topLevelItem(0) : nullptr);
    --bloqueio_;
    HabilitarTraducao(tem);
    MostrarCondicoes();
    AtualizarPaginas();
}

bool TFormEditor::GravarAtual()
{
    const std::string palavra = Cp(EditEntrada->text());
    if (NormalizarChave(palavra, FormaChave::Chave).empty()) {
        Caixa(this, Icone::Exclamacao, QStringLiteral("Entrada n\u00E3o informada"));
        return false;
    }
    const auto busca = dic_.ProcurarEntrada(palavra);
    if (busca.achou && busca.posicao != indice_) {
        Caixa(this, Icone::Exclamacao, QStringLiteral("Entrada j\u00E1 existe no dicion\u00E1rio"));
        return false;
    }
    entradaAlterada_ = false;
    AtualizarDesfazer();
    LerControles();
    TelaEntrada tela;
    tela.chave = palavra;
    for (int i = 0; i < ListViewTraducoes->topLevelItemCount(); ++i) {
        auto* item = static_cast<ItemTraducao*>(ListViewTraducoes->topLevelItem(i));
        tela.traducoes.push_back({Cp(item->text(0)), Cp(item->text(1)), item->ficha});
    }
    const int novo = dic_.GravarEntrada(indice_, tela, ficha_);
    if (novo < 0) return false;
    indice_ = novo;
    ++bloqueio_;
    EditEntrada->setText(Q(tela.chave));
    --bloqueio_;
    MostrarStatus(QStringLiteral("Entrada alterada"));
    MarcarAlterado();
    entradaAlterada_ = false;  // what is shown is what is stored
    AtualizarDesfazer();
    UpDownEntradas->DefinirPosicao(indice_);
    return true;
}

bool TFormEditor::PerguntaSalvar()
{
    if (!dicAlterado_) return true;
    const QString texto = QStringLiteral("O dicion\u00E1rio %1 foi alterado.\n\nDeseja salv\u00E1-lo ?").arg(nomeArquivo_);
    switch (Caixa(this, Icone::Pergunta, texto)) {
    case Resposta::Nao: return true;
    case Resposta::Sim: SalvarClick(); return false;
    default: return false;
    }
}

// ---- Commands -------------------------------------------------------------------

void TFormEditor::NovoClick()
{
    armado_ = false;
    if (!PerguntaSalvar()) return;
    nomeArquivo_ = kNovoDicionario;
    AtualizarTitulo();
    Reiniciar();
    dic_.Limpar();
    UpDownEntradas->DefinirFaixa(-1, -1);
    MostrarStatus(QStringLiteral("Novo dicion\u00E1rio"));
    LimparAlterado();
    NovaEntradaClick();
}

void TFormEditor::AbrirClick()
{
    armado_ = false;
    if (!PerguntaSalvar()) return;
    const QString caminho = EscolherAbrir(Q(pastaDicionarios_));
    if (caminho.isEmpty()) return;
    AbrirArquivo(caminho);
}

bool TFormEditor::AbrirArquivo(const QString& caminho)
{
    armado_ = false;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    DicionarioFonte novo;
    std::string erro;
    if (!CarregarFonteVerificada(Cp(caminho), novo, erro)) {
        QApplication::restoreOverrideCursor();
        Caixa(this, Icone::Pare, Q(erro));
        return false;
    }
    Reiniciar();
    dic_ = std::move(novo);
    indice_ = 0;
    UpDownEntradas->DefinirFaixa(0, dic_.Contagem() - 1);
    UpDownEntradas->DefinirPosicao(0);
    nomeArquivo_ = QFileInfo(caminho).fileName();
    AtualizarTitulo();
    if (dic_.Contagem() == 0) {
        indice_ = -1;
        HabilitarEntrada(false);
        HabilitarTraducao(false);
    } else {
        MostrarIndice(0);
        HabilitarEntrada(true);
        SelecionarPrimeira();
    }
    MostrarStatus(QStringLiteral("Dicion\u00E1rio carregado"));
    LimparAlterado();
    QApplication::restoreOverrideCursor();
    return true;
}

bool TFormEditor::SalvarEm(const std::string& caminho)
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const bool ok = dic_.SalvarFonte(caminho);
    QApplication::restoreOverrideCursor();
    if (!ok) return false;  // the dictionary stays marked changed
    MostrarStatus(QStringLiteral("Dicion\u00E1rio salvo"));
    LimparAlterado();
    return true;
}

bool TFormEditor::SalvarClick()
{
    if (nomeArquivo_ == kNovoDicionario) return SalvarComoClick();
    if (entradaAlterada_ && !GravarAtual()) return false;
    return SalvarEm(pastaDicionarios_ + "/" + Cp(nomeArquivo_));
}

bool TFormEditor::SalvarComoClick()
{
    if (entradaAlterada_ && !GravarAtual()) return false;
    const QString caminho = EscolherSalvar(Q(pastaDicionarios_), nomeArquivo_);
    if (caminho.isEmpty()) return false;
    nomeArquivo_ = QFileInfo(caminho).fileName();
    AtualizarTitulo();
    return SalvarEm(Cp(caminho));
}

void TFormEditor::OrdemPesquisaClick() { FormPesquisa->Mostrar(); }

void TFormEditor::NovaEntradaClick()
{
    if (entradaAlterada_ && !GravarAtual()) return;
    Reiniciar();
    MostrarStatus(QStringLiteral("Nova entrada"));
    HabilitarEntrada(true);
    HabilitarTraducao(false);
    EditEntrada->setFocus();
    armado_ = true;
}

void TFormEditor::FocoMudou(QWidget* antigo, QWidget* novo)
{
    if (!armado_ || antigo != EditEntrada || !novo) return;
    if (novo != ListViewTraducoes && !ListViewTraducoes->isAncestorOf(novo)) {
        armado_ = false;
        return;
    }
    if (!GravarAtual()) {
        EditEntrada->setFocus();
        return;
    }
    entradaAlterada_ = true;
    armado_ = false;
    IncluirTraducaoClick();
    ClasseClick();
    HabilitarTraducao(true);
}

void TFormEditor::ProcurarEntradaClick()
{
    if (entradaAlterada_ && !GravarAtual()) return;
    armado_ = false;
    if (!FormProcurar->Mostrar()) return;
    if (dic_.Contagem() == 0) {
        Caixa(this, Icone::Exclamacao, QStringLiteral("A entrada especificada n\u00E3o foi encontrada"));
        return;
    }
    const auto busca = dic_.ProcurarEntrada(Cp(FormProcurar->Palavra()));
    MostrarIndice(std::min(busca.posicao, dic_.Contagem() - 1));
    entradaAlterada_ = false;
    HabilitarEntrada(true);
    SelecionarPrimeira();
    MostrarStatus(QStringLiteral("Entrada encontrada"));
    UpDownEntradas->DefinirPosicao(indice_);
}

void TFormEditor::ExcluirEntradaClick()
{
    if (indice_ < 0) {
        Caixa(this, Icone::Exclamacao, QStringLiteral("Nenhuma entrada foi previamente selecionada"));
        return;
    }
    armado_ = false;
    entradaAlterada_ = false;
    dic_.ExcluirEntrada(indice_);
    indice_ -= 1;
    if (indice_ < 0 && dic_.Contagem() > 0) indice_ = 0;
    if (dic_.Contagem() == 0) {
        ++bloqueio_;
        ListViewTraducoes->clear();
        EditEntrada->clear();
        ficha_.Limpar();
        --bloqueio_;
        indice_ = -1;
        HabilitarEntrada(false);
        HabilitarTraducao(false);
        MostrarCondicoes();
    } else {
        MostrarIndice(indice_);
        SelecionarPrimeira();
    }
    AtualizarPaginas();
    MostrarStatus(QStringLiteral("Entrada exclu\u00EDda"));
    MarcarAlterado();
    entradaAlterada_ = false;  // the shown entry is the stored one
    AtualizarDesfazer();
    UpDownEntradas->DefinirPosicao(indice_);
}

void TFormEditor::UpDownEntradasClick(int posicao)
{
    if (entradaAlterada_) {
        if (EditEntrada->text().trimmed().isEmpty()) {
            entradaAlterada_ = false;
        } else if (!GravarAtual()) {
            UpDownEntradas->DefinirPosicao(indice_);
            return;
        }
    }
    armado_ = false;
    if (posicao < 0 || posicao >= dic_.Contagem()) return;
    MostrarIndice(posicao);
    HabilitarEntrada(true);
    SelecionarPrimeira();
    AtualizarDesfazer();
    AtualizarPosicao();
}

void TFormEditor::DesfazerClick()
{
    armado_ = false;
    entradaAlterada_ = false;
    if (indice_ >= 0 || dic_.Contagem() > 0) {
        MostrarIndice(indice_ < 0 ? 0 : std::min(indice_, dic_.Contagem() - 1));
        SelecionarPrimeira();
    } else {
        Reiniciar();
        HabilitarEntrada(false);
        HabilitarTraducao(false);
    }
    AtualizarDesfazer();
}

void TFormEditor::ClasseClick()
{
    if (armado_) {
        ListViewTraducoes->setFocus();
        return;
    }
    const auto habilitadas = ClassesHabilitadas(ficha_);
    for (int i = 0; i < kNumClasses; ++i) {
        ItensClasse[static_cast<std::size_t>(i)]->setChecked(FlagClasse(ficha_, i));
        ItensClasse[static_cast<std::size_t>(i)]->setEnabled(habilitadas[static_cast<std::size_t>(i)]);
    }
    MenuClasse->popup(mapToGlobal(SpeedButtonClasse->mapTo(this, QPoint(0, SpeedButtonClasse->height()))));
}

void TFormEditor::ItemClasseClick()
{
    for (int i = 0; i < kNumClasses; ++i) FlagClasse(ficha_, i) = ItensClasse[static_cast<std::size_t>(i)]->isChecked();
    AtualizarPaginas();
    MarcarAlterado();
}

void TFormEditor::IncluirTraducaoClick()
{
    // Making the new line current ends an edit in progress on another line.
    LinhaTraducao linha;
    linha.traducao = "nova tradu\xE7\xE3o";
    ItemTraducao* item = NovaLinha(linha);
    ListViewTraducoes->setCurrentItem(item);
    ListViewTraducoes->editItem(item, 0);
    MarcarAlterado();
    AtualizarPaginas();
}

void TFormEditor::AlterarTraducaoClick()
{
    if (ItemTraducao* item = TraducaoAtual()) {
        ListViewTraducoes->editItem(item, 0);
        entradaAlterada_ = true;
        AtualizarDesfazer();
    }
}

void TFormEditor::ExcluirTraducaoClick()
{
    ItemTraducao* item = TraducaoAtual();
    if (!item) return;
    // Out of the list before it goes, so that no signal sees half an item.
    ++bloqueio_;
    delete ListViewTraducoes->takeTopLevelItem(ListViewTraducoes->indexOfTopLevelItem(item));
    --bloqueio_;
    entradaAlterada_ = true;
    AtualizarDesfazer();
    MostrarCondicoes();
    AtualizarPaginas();
}

void TFormEditor::TraducaoEditada(QTreeWidgetItem* base, int coluna)
{
    if (bloqueio_ || coluna != 0) return;
    auto* item = static_cast<ItemTraducao*>(base);
    QString texto = item->text(0).trimmed().toLower();
    texto.remove(QLatin1Char(',')).remove(QLatin1Char(')'));  // the list's own delimiters
    QString erro;
    if (texto.isEmpty()) erro = QStringLiteral("Informe a tradu\u00E7\u00E3o");
    for (int i = 0; erro.isEmpty() && i < ListViewTraducoes->topLevelItemCount(); ++i) {
        QTreeWidgetItem* outro = ListViewTraducoes->topLevelItem(i);
        if (outro != item && outro->text(0) == texto) erro = QStringLiteral("Tradu\u00E7\u00E3o j\u00E1 informada");
    }
    ++bloqueio_;
    item->setText(0, erro.isEmpty() ? texto : item->anterior);
    --bloqueio_;
    if (!erro.isEmpty()) {
        Caixa(this, Icone::Pare, erro);
        return;
    }
    item->anterior = texto;
    entradaAlterada_ = true;
    AtualizarDesfazer();
    AtualizarPaginas();
}

void TFormEditor::ListViewTraducoesDragDrop(QTreeWidgetItem* origem, QTreeWidgetItem* alvo)
{
    if (!origem || !alvo || origem == alvo) return;
    if (ListViewTraducoes->indexOfTopLevelItem(origem) < 0 || ListViewTraducoes->indexOfTopLevelItem(alvo) < 0)
        return;
    ++bloqueio_;
    ListViewTraducoes->takeTopLevelItem(ListViewTraducoes->indexOfTopLevelItem(origem));
    ListViewTraducoes->insertTopLevelItem(ListViewTraducoes->indexOfTopLevelItem(alvo), origem);
    ListViewTraducoes->setCurrentItem(origem);
    --bloqueio_;
    entradaAlterada_ = true;  // the order is part of the entry
    AtualizarDesfazer();
    MostrarCondicoes();
    AtualizarPaginas();
}

void TFormEditor::ConteudoClick()
{
    const QString pagina = Q(config_.pastaAjuda) + QStringLiteral("/dic.html");
    if (!QFileInfo::exists(pagina) || !QDesktopServices::openUrl(QUrl::fromLocalFile(pagina)))
        Caixa(this, Icone::Exclamacao,
              QStringLiteral("A p\u00E1gina de ajuda %1 n\u00E3o p\u00F4de ser aberta.").arg(pagina));
}

// ---- Pages ------------------------------------------------------------------------

void TFormEditor::MostrarCondicoes()
{
    ItemTraducao* item = TraducaoAtual();
    ++bloqueio_;
    auto definir = [item](QComboBox* c, int valor) {
        c->setCurrentIndex(item && valor > 0 && valor < c->count() ? valor : 0);
    };
    definir(ComboBoxConector2, item ? item->ficha.conector[2] : -1);
    definir(ComboBoxConector3, item ? item->ficha.conector[3] : -1);
    for (int k = 0; k < 3; ++k) {
        definir(QuandoFor[static_cast<std::size_t>(k)], item ? item->ficha.verbo[k + 1] : -1);
        definir(ComboBoxOpcao[static_cast<std::size_t>(k)], item ? item->ficha.opcao[k + 1] : -1);
    }
    --bloqueio_;
}

void TFormEditor::CondicaoAlterada()
{
    ItemTraducao* item = TraducaoAtual();
    if (bloqueio_ || !item) return;
    FichaTraducao& f = item->ficha;
    f.conector[2] = ComboBoxConector2->currentIndex();
    f.conector[3] = ComboBoxConector3->currentIndex();
    for (int k = 0; k < 3; ++k) {
        f.verbo[k + 1] = QuandoFor[static_cast<std::size_t>(k)]->currentIndex();
        f.opcao[k + 1] = ComboBoxOpcao[static_cast<std::size_t>(k)]->currentIndex();
    }
    ++bloqueio_;
    item->setText(1, Q(TextoCondicao(f)));
    --bloqueio_;
    entradaAlterada_ = true;
    AtualizarDesfazer();
    AtualizarPaginas();
}

void TFormEditor::AtualizarPaginas()
{
    std::vector<const FichaTraducao*> fichas;
    const int n = ListViewTraducoes->topLevelItemCount();
    for (int i = 0; i < n; ++i) fichas.push_back(&static_cast<ItemTraducao*>(ListViewTraducoes->topLevelItem(i))->ficha);
    ItemTraducao* atual = TraducaoAtual();
    const int sel = atual ? ListViewTraducoes->indexOfTopLevelItem(atual) : -1;
    const bool conjuga = config_.conjugar && ConjugaTraducao(ficha_, fichas, sel);
    if (conjuga) {
        const std::string infinitivo = Cp(atual->text(0));
        TabelaConjugacao& tabela = atual->ficha.conjugacao[0];
        char buffer[256];
        auto conjugar = [&](std::uint32_t tempo, std::uint32_t pessoa) {
            std::snprintf(buffer, sizeof buffer, "%s", infinitivo.c_str());
            config_.conjugar(buffer, tempo, pessoa);
            buffer[sizeof buffer - 1] = '\0';
            return std::string(buffer);
        };
        for (std::uint32_t t = 0; t < 6; ++t)
            for (std::uint32_t p = 0; p < 6; ++p) tabela.formas[t * 6 + p] = conjugar(t, p);
        tabela.participio = conjugar(6, 0);
        tabela.gerundio = conjugar(7, 0);
    }
    MostrarControles();
    MostrarTempo();
    const int ativaAntes = PaginaAtiva();
    const PaginasEntrada paginas = CalcularPaginas(ficha_, n, conjuga, ativaAntes);
    for (int p = 0; p < kNumPaginas; ++p) PageControlClasses->setTabVisible(p, paginas.disponivel[static_cast<std::size_t>(p)]);
    if (paginas.ativa == kPaginaVazia) {
        PilhaPaginas->setCurrentIndex(0);
    } else {
        PageControlClasses->setCurrentIndex(paginas.ativa);
        PilhaPaginas->setCurrentIndex(1);
    }
}

void TFormEditor::MostrarControles()
{
    ++bloqueio_;
    const FichaEntrada& f = ficha_;
    DefinirRadio(RadioGroupTipoPronome, f.pronome ? f.tipoPronome : -1);
    DefinirRadio(RadioGroupPessoaPronome, f.pronome ? f.pessoaPronome : -1);
    DefinirRadio(RadioGroupTipoArtigo, f.artigo ? f.tipoArtigo : -1);
    const bool verbo = f.verbo || f.verboAuxiliar;
    const bool marcas[11] = {f.infinitivo, f.passado, f.participio, f.presente, f.gerundio, f.pessoas[0],
                             f.pessoas[1], f.pessoas[2], f.pessoas[3], f.pessoas[4], f.pessoas[5]};
    for (int i = 0; i < 11; ++i) CheckBoxVerbo[static_cast<std::size_t>(i)]->setChecked(verbo && marcas[i]);
    EditInfinitivo->setText(!verbo ? QString() : !f.formaBase.empty() ? Q(NormalizarChave(f.formaBase, FormaChave::Exibicao))
                                                                      : EditEntrada->text());
    const bool adjetivo[5] = {f.deEstado, f.titulo, f.determinante, f.concordaNumero, f.concordaGenero};
    for (int i = 0; i < 5; ++i) CheckBoxAdjetivo[static_cast<std::size_t>(i)]->setChecked(f.adjetivo && adjetivo[i]);
    DefinirRadio(RadioGroupGenero, f.substantivo ? f.genero : -1);
    DefinirRadio(RadioGroupNumero, f.substantivo ? f.numero : -1);
    CheckBoxAnimado->setChecked(f.substantivo && f.animado);
    --bloqueio_;
    AjustarInfinitivo();
}

void TFormEditor::LerControles()
{
    FichaEntrada& f = ficha_;
    if (f.pronome) {
        f.tipoPronome = RadioGroupTipoPronome->checkedId();
        f.pessoaPronome = RadioGroupPessoaPronome->checkedId();
    }
    if (f.artigo) f.tipoArtigo = RadioGroupTipoArtigo->checkedId();
    if (f.verbo || f.verboAuxiliar) {
        bool* marcas[11] = {&f.infinitivo, &f.passado, &f.participio, &f.presente, &f.gerundio, &f.pessoas[0],
                            &f.pessoas[1], &f.pessoas[2], &f.pessoas[3], &f.pessoas[4], &f.pessoas[5]};
        for (int i = 0; i < 11; ++i) *marcas[i] = CheckBoxVerbo[static_cast<std::size_t>(i)]->isChecked();
        f.formaBase = Cp(EditInfinitivo->text());
    }
    if (f.adjetivo) {
        bool* marcas[5] = {&f.deEstado, &f.titulo, &f.determinante, &f.concordaNumero, &f.concordaGenero};
        for (int i = 0; i < 5; ++i) *marcas[i] = CheckBoxAdjetivo[static_cast<std::size_t>(i)]->isChecked();
    }
    if (f.substantivo) {
        f.genero = RadioGroupGenero->checkedId();
        f.numero = RadioGroupNumero->checkedId();
        f.animado = CheckBoxAnimado->isChecked();
    }
}

void TFormEditor::AtributoAlterado()
{
    if (bloqueio_) return;
    LerControles();
    entradaAlterada_ = true;
    AtualizarDesfazer();
}

void TFormEditor::AjustarInfinitivo()
{
    bool outra = false;
    for (int i = 1; i < 11; ++i) outra = outra || CheckBoxVerbo[static_cast<std::size_t>(i)]->isChecked();
    const bool visivel = !CheckBoxVerbo[0]->isChecked() && outra;
    LabelInfinitivo->setVisible(visivel);
    EditInfinitivo->setVisible(visivel);
}

void TFormEditor::MostrarTempo()
{
    const int t = ComboBoxTempos->currentIndex();
    ItemTraducao* item = TraducaoAtual();
    const TabelaConjugacao* tabela = item ? &item->ficha.conjugacao[0] : nullptr;
    for (int p = 0; p < 6; ++p) {
        QLineEdit* e = EditPessoa[static_cast<std::size_t>(p)];
        QLabel* l = LabelPessoa[static_cast<std::size_t>(p)];
        const bool visivel = t < 6 || p == 0;
        e->setVisible(visivel);
        l->setVisible(t < 6);
        QString texto;
        if (tabela) {
            if (t < 6) texto = (t == 5 && p == 0) ? QString() : Q(tabela->formas[static_cast<std::size_t>(t * 6 + p)]);
            else if (p == 0) texto = Q(t == 6 ? tabela->participio : tabela->gerundio);
        }
        e->setText(texto);
    }
}

// ---- Window --------------------------------------------------------------------

void TFormEditor::showEvent(QShowEvent* evento)
{
    QMainWindow::showEvent(evento);
    if (!iniciado_) {
        iniciado_ = true;
        if (dic_.Contagem() == 0 && indice_ < 0) NovaEntradaClick();
    }
}

// The menus' shortcuts win over the edit fields' own keys (Ctrl+A, Ctrl+C,
// Ctrl+D, Ctrl+E), as the menus promise.
bool TFormEditor::eventFilter(QObject* objeto, QEvent* evento)
{
    if (evento->type() == QEvent::ShortcutOverride) {
        const QKeySequence tecla(static_cast<QKeyEvent*>(evento)->keyCombination());
        for (QAction* a : {Abrir, Salvar, ProcurarEntrada, NovaEntrada, Classe, Desfazer, IncluirTraducao,
                           AlterarTraducao, Sair})
            if (a->isEnabled() && a->shortcut() == tecla) {
                evento->ignore();
                return true;
            }
    }
    return QMainWindow::eventFilter(objeto, evento);
}

void TFormEditor::closeEvent(QCloseEvent* evento)
{
    armado_ = false;
    if (PerguntaSalvar()) evento->accept();
    else evento->ignore();
}

void TFormEditor::SessaoTermina(QSessionManager& sessao)
{
    if (!dicAlterado_) return;
    if (!sessao.allowsInteraction()) return;
    const QString texto = QStringLiteral("O dicion\u00E1rio %1 foi alterado.\n\nDeseja salv\u00E1-lo ?").arg(nomeArquivo_);
    const Resposta r = Caixa(this, Icone::Pergunta, texto);
    if ((r == Resposta::Sim && !SalvarClick()) || r == Resposta::Cancelar) sessao.cancel();
    sessao.release();
}
