#include "janelas_web.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSpinBox>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

#include "cp1252.h"
#include "servidor.h"

namespace {

QString DeCp1252(const std::string& texto) { return QString::fromStdString(Cp1252ParaUtf8(texto)); }

void MostrarCaixa(QWidget* pai, const QString& texto)
{
    QMessageBox caixa(QMessageBox::Information, QString::fromLatin1(kTituloAplicacao), texto, QMessageBox::Ok, pai);
    caixa.exec();
}

bool IniciarDesligado(const QString& linhaComando)
{
    QStringList partes = QProcess::splitCommand(linhaComando);
    if (partes.isEmpty()) return false;
    const QString programa = partes.takeFirst();
    return QProcess::startDetached(programa, partes);
}

// The desktop theme's icon, else the style's own.
QToolButton* CriarBotao(QWidget* pai, const QString& dica, const char* tema, QStyle::StandardPixmap icone,
                        const char* nome)
{
    auto* b = new QToolButton(pai);
    b->setObjectName(QString::fromLatin1(nome));
    b->setIcon(QIcon::fromTheme(QString::fromLatin1(tema), pai->style()->standardIcon(icone)));
    b->setIconSize(QSize(28, 28));
    b->setToolTip(dica);
    b->setAccessibleName(dica);
    b->setFocusPolicy(Qt::StrongFocus);
    b->setAutoRaise(false);
    return b;
}

} // namespace

AcoesJanela AcoesPadrao()
{
    AcoesJanela a;
    a.criarControle = CriarControleNavegador;
    a.mostrarMensagem = MostrarCaixa;
    a.abrirAjuda = [](const QUrl& pagina) { return QDesktopServices::openUrl(pagina); };
    a.traduzirArea = [] { return TraduzirAreaComMotor(CaminhoMotorInstalado()); };
    a.iniciarPrograma = IniciarDesligado;
    a.handlerHtml = HandlerPadraoHtml;
    return a;
}

QUrl PaginaAjuda(const QString& topico)
{
    QStringList pastas;
    const QString ambiente = qEnvironmentVariable("QUILLANE_AJUDA_DIR");
    if (!ambiente.isEmpty()) pastas << ambiente;
    pastas << QCoreApplication::applicationDirPath() + QStringLiteral("/../share/quillane/ajuda");
#ifdef QUILLANE_FONTE_AJUDA
    pastas << QStringLiteral(QUILLANE_FONTE_AJUDA);
#endif
    for (const QString& pasta : pastas) {
        const QFileInfo arquivo(QDir(pasta).filePath(QStringLiteral("sorvane.html")));
        if (!arquivo.isFile()) continue;
        QUrl url = QUrl::fromLocalFile(arquivo.canonicalFilePath());
        if (!topico.isEmpty()) url.setFragment(topico);
        return url;
    }
    return {};
}

// ---------------------------------------------------------------- TForm1

TForm1::TForm1(TWbServe* principal, AcoesJanela acoes) : principal_(principal), acoes_(std::move(acoes))
{
    setWindowTitle(QStringLiteral(u"Configura\u00e7\u00e3o"));
    setObjectName(QStringLiteral("Form1"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);

    auto* grupo = new QGroupBox(QStringLiteral("Browser"), this);
    RadioButton1 = new QRadioButton(QStringLiteral("Firefox"), grupo);
    RadioButton2 = new QRadioButton(QStringLiteral("Chromium"), grupo);
    RadioButton1->setObjectName(QStringLiteral("RadioButton1"));
    RadioButton2->setObjectName(QStringLiteral("RadioButton2"));
    auto* porta = new QLabel(QStringLiteral("&Porta de controle remoto:"), grupo);
    SpinEditPorta = new QSpinBox(grupo);
    SpinEditPorta->setObjectName(QStringLiteral("SpinEditPorta"));
    SpinEditPorta->setRange(1, 65535);
    SpinEditPorta->setAccessibleName(QStringLiteral("Porta de controle remoto do Browser"));
    SpinEditPorta->setToolTip(
        QStringLiteral(u"A porta em que o Browser aceita o controle remoto (--remote-debugging-port)"));
    porta->setBuddy(SpinEditPorta);
    auto* linhaPorta = new QHBoxLayout;
    linhaPorta->addWidget(porta);
    linhaPorta->addWidget(SpinEditPorta);
    auto* colunaGrupo = new QVBoxLayout(grupo);
    colunaGrupo->addWidget(RadioButton1);
    colunaGrupo->addWidget(RadioButton2);
    colunaGrupo->addLayout(linhaPorta);

    CheckBoxConfigura = new QCheckBox(QStringLiteral("Configura browser automaticamente"), this);
    CheckBoxConfigura->setObjectName(QStringLiteral("CheckBoxConfigura"));
    CheckBoxConfigura->setChecked(true);
    ButtonOK = new QPushButton(QStringLiteral("&OK"), this);
    ButtonAjuda = new QPushButton(QStringLiteral("&Ajuda"), this);
    ButtonOK->setObjectName(QStringLiteral("ButtonOK"));
    ButtonAjuda->setObjectName(QStringLiteral("ButtonAjuda"));
    ButtonOK->setDefault(true);
    StatusBar1 = new QLabel(QStringLiteral("Selecione o Navegador "), this);
    StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
    StatusBar1->setFrameShape(QFrame::StyledPanel);
    StatusBar1->setFrameShadow(QFrame::Sunken);

    auto* botoes = new QHBoxLayout;
    botoes->addStretch();
    botoes->addWidget(ButtonOK);
    botoes->addWidget(ButtonAjuda);
    auto* coluna = new QVBoxLayout(this);
    coluna->addWidget(grupo);
    coluna->addWidget(CheckBoxConfigura);
    coluna->addLayout(botoes);
    coluna->addWidget(StatusBar1);
    coluna->setSizeConstraint(QLayout::SetFixedSize);

    connect(ButtonOK, &QPushButton::clicked, this, &QWidget::hide);
    connect(ButtonAjuda, &QPushButton::clicked, this, [this] { AjudaClick(); });
    connect(RadioButton1, &QRadioButton::toggled, this, [this](bool) {
        if (aoMudarNavegador) aoMudarNavegador(Navegador());
    });

    FormCreate();
}

void TForm1::FormCreate()
{
    // The browser follows the desktop's choice at every start; it is not
    // kept in the settings.
    const TipoNavegador preferido = NavegadorDoHandler(acoes_.handlerHtml ? acoes_.handlerHtml() : std::string());
    (preferido == TipoNavegador::Firefox ? RadioButton1 : RadioButton2)->setChecked(true);

    if (LerConfiguracaoJanela(&config_)) {
        if (config_.top && config_.left) {
            const QPoint ponto(*config_.left, *config_.top);
            // A position on a screen that is no longer there would hide the
            // window: it keeps its own then.
            if (QGuiApplication::screenAt(ponto + QPoint(8, 8))) principal_->move(ponto);
        }
    } else {
        config_.janela = 1;
    }
    CheckBoxConfigura->setChecked(config_.confBrowser);
    SpinEditPorta->setValue(config_.portaNavegador);
    principal_->DefinirJanela(config_.janela);

    if (const QScreen* tela = QGuiApplication::primaryScreen()) {
        adjustSize();
        move(tela->availableGeometry().center() - rect().center());
    }
}

void TForm1::FormDestroy()
{
    config_.confBrowser = CheckBoxConfigura->isChecked();
    config_.janela = principal_->Janela();
    config_.top = principal_->y();
    config_.left = principal_->x();
    config_.portaNavegador = SpinEditPorta->value();
    GravarConfiguracaoJanela(config_);
    // The registration program is whatever the settings name; none, nothing.
    if (config_.confBrowser && !config_.registroProxy.empty() &&
        !acoes_.iniciarPrograma(DeCp1252(config_.registroProxy)))
        acoes_.mostrarMensagem(principal_, QStringLiteral(u"N\u00e3o foi poss\u00edvel executar a rotina de registro Proxy"));
}

TipoNavegador TForm1::Navegador() const
{
    return RadioButton1->isChecked() ? TipoNavegador::Firefox : TipoNavegador::Chromium;
}

int TForm1::PortaNavegador() const { return SpinEditPorta->value(); }

void TForm1::AjudaClick()
{
    const QUrl pagina = PaginaAjuda(QStringLiteral("configuracao"));
    if (pagina.isEmpty() || !acoes_.abrirAjuda(pagina))
        acoes_.mostrarMensagem(this, QStringLiteral(u"N\u00e3o foi poss\u00edvel abrir a ajuda"));
}

// -------------------------------------------------------------- TWbServe

TWbServe::TWbServe(int portaProxy, AcoesJanela acoes) : portaProxy_(portaProxy), acoes_(std::move(acoes))
{
    setObjectName(QStringLiteral("WbServe"));
    setWindowTitle(QStringLiteral("Sorvane 1.2"));
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint | Qt::WindowStaysOnTopHint |
                   Qt::MSWindowsFixedSizeDialogHint);

    SpeedButtonTraduzir = CriarBotao(this, QStringLiteral("Traduzir"), "go-next", QStyle::SP_ArrowForward,
                                     "SpeedButtonTraduzir");
    SpeedButtonOriginal = CriarBotao(this, QStringLiteral("Mostrar Original"), "go-previous", QStyle::SP_ArrowBack,
                                     "SpeedButtonOriginal");
    SpeedButtonChamaVertalTexto = CriarBotao(this, QStringLiteral("Ativa Pellaro"), "edit-paste",
                                             QStyle::SP_FileDialogDetailedView, "SpeedButtonChamaVertalTexto");
    SpeedButtonConfigurar = CriarBotao(this, QStringLiteral("Configurar"), "preferences-system",
                                       QStyle::SP_FileDialogInfoView, "SpeedButtonConfigurar");
    SpeedButtonAjuda = CriarBotao(this, QStringLiteral("Obter Ajuda"), "help-contents", QStyle::SP_MessageBoxQuestion,
                                  "SpeedButtonAjuda");
    SpeedButtonSair = CriarBotao(this, QStringLiteral("Sair"), "application-exit", QStyle::SP_DialogCloseButton,
                                 "SpeedButtonSair");

    StatusBar1 = new QLabel(this);
    StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
    StatusBar1->setFrameShape(QFrame::StyledPanel);
    StatusBar1->setFrameShadow(QFrame::Sunken);
    StatusBar1->setWordWrap(true);
    StatusBar1->setAccessibleName(QStringLiteral("Estado"));

    auto* linha = new QHBoxLayout;
    linha->setSpacing(2);
    for (QToolButton* b : {SpeedButtonTraduzir, SpeedButtonOriginal, SpeedButtonChamaVertalTexto,
                           SpeedButtonConfigurar, SpeedButtonAjuda, SpeedButtonSair})
        linha->addWidget(b);
    auto* coluna = new QVBoxLayout(this);
    coluna->setContentsMargins(4, 4, 4, 4);
    coluna->addLayout(linha);
    coluna->addWidget(StatusBar1);
    const QSize tamanho = sizeHint();
    StatusBar1->setFixedWidth(tamanho.width() - 8);
    StatusBar1->setMinimumHeight(StatusBar1->fontMetrics().height() * 2 + 6);
    setFixedSize(sizeHint());
    move(PosicaoProjetada());

    connect(SpeedButtonTraduzir, &QToolButton::clicked, this, [this] { TraduzirClick(); });
    connect(SpeedButtonOriginal, &QToolButton::clicked, this, [this] { OriginalClick(); });
    connect(SpeedButtonChamaVertalTexto, &QToolButton::clicked, this, [this] { ChamaVertalTextoClick(); });
    connect(SpeedButtonConfigurar, &QToolButton::clicked, this, [this] { ConfigurarClick(); });
    connect(SpeedButtonAjuda, &QToolButton::clicked, this, [this] { AjudaClick(); });
    connect(SpeedButtonSair, &QToolButton::clicked, this, [this] { SairClick(); });
}

TWbServe::~TWbServe()
{
    if (tradutorArea_.joinable()) tradutorArea_.join();
}

void TWbServe::ConexoesMudaram()
{
    QMetaObject::invokeMethod(this, [this] { AtualizarConexoes(); }, Qt::QueuedConnection);
}

void TWbServe::AtualizarConexoes()
{
    const int n = lerContador_ ? lerContador_() : 0;
    SpeedButtonConfigurar->setEnabled(n == 0);
}

void TWbServe::ExecutarNoNavegador(bool traduzir)
{
    if (!configuracao_) return;
    const TipoNavegador tipo = configuracao_->Navegador();
    const int porta = configuracao_->PortaNavegador();
    // The exchange runs a local event loop: no second click meanwhile.
    SpeedButtonTraduzir->setEnabled(false);
    SpeedButtonOriginal->setEnabled(false);
    conversando_ = true;
    auto controle = acoes_.criarControle(tipo, porta);
    const ResultadoAcao r = traduzir ? Traduzir(*controle, tipo, porta, portaProxy_) : MostrarOriginal(*controle, tipo, porta);
    controle.reset();
    conversando_ = false;
    if (sairDepois_) {
        QCoreApplication::quit();
        return;
    }
    SpeedButtonTraduzir->setEnabled(true);
    SpeedButtonOriginal->setEnabled(true);
    if (!r.mensagem.isEmpty()) acoes_.mostrarMensagem(this, r.mensagem);
}

void TWbServe::TraduzirClick() { ExecutarNoNavegador(true); }

void TWbServe::OriginalClick() { ExecutarNoNavegador(false); }

void TWbServe::ChamaVertalTextoClick()
{
    if (traduzindoArea_) return;
    if (tradutorArea_.joinable()) tradutorArea_.join();
    traduzindoArea_ = true;
    SpeedButtonChamaVertalTexto->setEnabled(false);
    StatusBar1->setText(QStringLiteral(u"Traduzindo a \u00e1rea de transfer\u00eancia..."));
    tradutorArea_ = std::thread([this, traduzir = acoes_.traduzirArea] {
        const ResultadoPellaro r = traduzir();
        QMetaObject::invokeMethod(
            this,
            [this, r] {
                StatusBar1->setText(r.mensagem);
                SpeedButtonChamaVertalTexto->setEnabled(true);
                traduzindoArea_ = false;
            },
            Qt::QueuedConnection);
    });
}

void TWbServe::ConfigurarClick()
{
    if (!configuracao_) return;
    configuracao_->show();
    configuracao_->raise();
    configuracao_->activateWindow();
}

void TWbServe::AjudaClick()
{
    const QUrl pagina = PaginaAjuda();
    if (pagina.isEmpty() || !acoes_.abrirAjuda(pagina))
        acoes_.mostrarMensagem(this, QStringLiteral(u"N\u00e3o foi poss\u00edvel abrir a ajuda"));
}

void TWbServe::SairClick() { close(); }

void TWbServe::showEvent(QShowEvent* evento)
{
    janela_ = 1;
    QWidget::showEvent(evento);
}

void TWbServe::changeEvent(QEvent* evento)
{
    if (evento->type() == QEvent::ActivationChange && isActiveWindow()) janela_ = 1;
    QWidget::changeEvent(evento);
}

void TWbServe::closeEvent(QCloseEvent* evento)
{
    // Closing the main window ends the program, whatever else is open.
    if (configuracao_) configuracao_->hide();
    evento->accept();
    // An exchange with the browser runs its own event loop: the program
    // ends when it returns.
    if (conversando_) sairDepois_ = true;
    else QCoreApplication::quit();
}
