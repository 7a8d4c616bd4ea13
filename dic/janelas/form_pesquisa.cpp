#include "form_pesquisa.h"

#include <QFileDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QUrl>
#include <QVBoxLayout>

#include "apoio_qt.h"
#include "editor_estado.h"
#include "registro.h"

namespace {

const char* const kUserDic = "UserDic";

} // namespace

TFormPesquisa::TFormPesquisa(const std::string& pastaInstalacao, QWidget* pai)
    : QDialog(pai, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint), pastaInstalacao_(pastaInstalacao)
{
    setObjectName(QStringLiteral("FormPesquisa"));
    setWindowTitle(QStringLiteral("Ordem de Pesquisa"));
    setModal(true);
    auto* layout = new QVBoxLayout(this);
    auto* rotulo = new QLabel(QStringLiteral("Informe abaixo a ordem de pesquisa de seus &dicion\u00E1rios"), this);
    layout->addWidget(rotulo);
    auto* meio = new QHBoxLayout;
    ListBoxDicionarios = new QListWidget(this);
    ListBoxDicionarios->setObjectName(QStringLiteral("ListBoxDicionarios"));
    ListBoxDicionarios->setAccessibleName(QStringLiteral("Dicion\u00E1rios em ordem de pesquisa"));
    ListBoxDicionarios->setToolTip(QStringLiteral("O primeiro dicion\u00E1rio da lista \u00E9 consultado primeiro"));
    rotulo->setBuddy(ListBoxDicionarios);
    UpDownOrdem = new TUpDown(this);
    UpDownOrdem->setObjectName(QStringLiteral("UpDownOrdem"));
    UpDownOrdem->setAccessibleName(QStringLiteral("Mover o dicion\u00E1rio selecionado"));
    UpDownOrdem->setToolTip(QStringLiteral("Mover o dicion\u00E1rio selecionado (setas para cima e para baixo)"));
    meio->addWidget(ListBoxDicionarios, 1);
    meio->addWidget(UpDownOrdem, 0, Qt::AlignVCenter);
    layout->addLayout(meio);
    auto* botoes = new QHBoxLayout;
    ButtonAdicionar = new QPushButton(QStringLiteral("&Adicionar"), this);
    ButtonRemover = new QPushButton(QStringLiteral("&Remover"), this);
    ButtonOK = new QPushButton(QStringLiteral("&OK"), this);
    ButtonCancelar = new QPushButton(QStringLiteral("&Cancelar"), this);
    for (auto* b : {ButtonAdicionar, ButtonRemover, ButtonOK, ButtonCancelar}) {
        b->setAutoDefault(false);
        botoes->addWidget(b);
    }
    ButtonAdicionar->setObjectName(QStringLiteral("ButtonAdicionar"));
    ButtonRemover->setObjectName(QStringLiteral("ButtonRemover"));
    ButtonOK->setObjectName(QStringLiteral("ButtonOK"));
    ButtonCancelar->setObjectName(QStringLiteral("ButtonCancelar"));
    ButtonOK->setDefault(true);
    layout->addLayout(botoes);

    connect(ButtonAdicionar, &QPushButton::clicked, this, &TFormPesquisa::ButtonAdicionarClick);
    connect(ButtonRemover, &QPushButton::clicked, this, &TFormPesquisa::ButtonRemoverClick);
    connect(ButtonOK, &QPushButton::clicked, this, &TFormPesquisa::ButtonOKClick);
    connect(ButtonCancelar, &QPushButton::clicked, this, &QDialog::reject);
    connect(UpDownOrdem, &TUpDown::Clicado, this, &TFormPesquisa::UpDownOrdemClick);
    connect(ListBoxDicionarios, &QListWidget::currentRowChanged, this, [this](int linha) {
        if (linha >= 0) UpDownOrdem->DefinirPosicao(linha);
    });
    setTabOrder(ListBoxDicionarios, UpDownOrdem);
    setTabOrder(UpDownOrdem, ButtonAdicionar);
    setTabOrder(ButtonAdicionar, ButtonRemover);
    setTabOrder(ButtonRemover, ButtonOK);
    setTabOrder(ButtonOK, ButtonCancelar);

    EscolherArquivo = [this](const QString& pasta) {
        QFileDialog dialogo(this, QString(), pasta, QStringLiteral("Dicion\u00E1rios (*.udc)"));
        // Every folder the engine reads dictionaries from is one click away.
        QList<QUrl> atalhos;
        for (const auto& p : pastas_) atalhos.push_back(QUrl::fromLocalFile(Q(p)));
        dialogo.setSidebarUrls(atalhos);
        dialogo.setFileMode(QFileDialog::ExistingFile);
        dialogo.setDefaultSuffix(QStringLiteral("udc"));
        if (dialogo.exec() != QDialog::Accepted || dialogo.selectedFiles().isEmpty()) return QString();
        return dialogo.selectedFiles().front();
    };
}

bool TFormPesquisa::Preparar()
{
    char dirRoot[256];
    auto maquina = clChaveRegistro::Abrir(Colmeia::MaquinaLocal, kChaveQuillane, false);
    if (maquina && maquina->LerTexto("DirRoot", dirRoot, sizeof dirRoot) && dirRoot[0])
        pastaDicionarios_ = std::string(dirRoot) + "/dic";
    else
        pastaDicionarios_ = pastaInstalacao_ + "/dic";
    // The user's own folder first, where the engine looks first.
    pastas_ = PastasDeBusca(pastaDicionarios_);
    auto usuario = clChaveRegistro::Abrir(Colmeia::UsuarioAtual, kChaveQuillane, true);
    if (!usuario) {
        // Without a settings store the order cannot be kept; the editor and
        // its unsaved dictionary stay open.
        Caixa(this, Icone::Pare, QStringLiteral("Erro na inicializa\u00E7\u00E3o.\n\nVerifique a instala\u00E7\u00E3o."));
        return false;
    }
    ListBoxDicionarios->clear();
    const auto valor = usuario->Ler(kUserDic);
    if (valor && valor->tipo == ValorRegistro::Tipo::Texto) {
        for (const auto& nome : LerListaUserDic(valor->texto)) ListBoxDicionarios->addItem(Q(nome));
    } else {
        usuario->GravarTexto(kUserDic, "");
    }
    AtualizarLista(0);
    return true;
}

bool TFormPesquisa::Mostrar()
{
    if (!Preparar()) return false;
    exec();
    return true;
}

std::vector<std::string> TFormPesquisa::Nomes() const
{
    std::vector<std::string> nomes;
    for (int i = 0; i < ListBoxDicionarios->count(); ++i) nomes.push_back(Cp(ListBoxDicionarios->item(i)->text()));
    return nomes;
}

void TFormPesquisa::AtualizarLista(int selecionar)
{
    const int n = ListBoxDicionarios->count();
    ButtonRemover->setEnabled(n > 0);
    UpDownOrdem->setEnabled(n >= 2);
    if (n == 0) {
        UpDownOrdem->DefinirFaixa(-1, -1);
        ListBoxDicionarios->setCurrentRow(-1);
        return;
    }
    UpDownOrdem->DefinirFaixa(0, n - 1);
    ListBoxDicionarios->setCurrentRow(std::max(0, std::min(selecionar, n - 1)));
    UpDownOrdem->DefinirPosicao(ListBoxDicionarios->currentRow());
}

void TFormPesquisa::ButtonAdicionarClick()
{
    const QString arquivo = EscolherArquivo(Q(pastas_.front()));
    if (arquivo.isEmpty()) return;
    const std::string nome = NomeDicionario(Cp(arquivo));
    if (nome.empty()) return;
    if (ListaContem(Nomes(), nome)) {
        Caixa(this, Icone::Pare, QStringLiteral("Dicion\u00E1rio j\u00E1 incluido na lista"));
        return;
    }
    ListBoxDicionarios->addItem(Q(nome));
    AtualizarLista(ListBoxDicionarios->count() - 1);
}

void TFormPesquisa::ButtonRemoverClick()
{
    const int linha = ListBoxDicionarios->currentRow();
    if (linha < 0) return;
    delete ListBoxDicionarios->takeItem(linha);
    AtualizarLista(0);
}

void TFormPesquisa::UpDownOrdemClick(int posicao)
{
    const int linha = ListBoxDicionarios->currentRow();
    if (linha < 0 || posicao < 0 || posicao >= ListBoxDicionarios->count()) return;
    QListWidgetItem* item = ListBoxDicionarios->takeItem(linha);
    ListBoxDicionarios->insertItem(posicao, item);
    ListBoxDicionarios->setCurrentRow(posicao);
}

void TFormPesquisa::ButtonOKClick()
{
    if (auto usuario = clChaveRegistro::Abrir(Colmeia::UsuarioAtual, kChaveQuillane, false))
        usuario->GravarTexto(kUserDic, TextoUserDic(Nomes()));
    accept();
}
