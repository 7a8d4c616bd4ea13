#include "navegador.h"

#include "canal_json.h"

#include <QEventLoop>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QNetworkAccessManager>
#include <QNetworkProxy>
#include <QNetworkReply>
#include <QRegularExpression>
#include <QUrl>

#include <algorithm>
#include <functional>

namespace {

const char* const kLoopback = "127.0.0.1";

QString JaTraduzido() { return QStringLiteral(u"Este endere\u00e7o \u00e9 igual a um J\u00e1 traduzido"); }
QString JaOriginal() { return QStringLiteral(u"Este endere\u00e7o j\u00e1 \u00e9 o original"); }

class clControleChromium : public clControleNavegador {
public:
    explicit clControleChromium(int porta) : porta_(porta) {}

    bool Conectar(QString* erro) override
    {
        erro->clear();
        abas_.clear();
        QNetworkAccessManager rede;
        rede.setProxy(QNetworkProxy::NoProxy);
        QUrl url;
        url.setScheme(QStringLiteral("http"));
        url.setHost(QString::fromLatin1(kLoopback));
        url.setPort(porta_);
        url.setPath(QStringLiteral("/json/list"));
        QNetworkRequest pedido(url);
        pedido.setTransferTimeout(limite_);
        QNetworkReply* resposta = rede.get(pedido);
        QEventLoop laco;
        QObject::connect(resposta, &QNetworkReply::finished, &laco, &QEventLoop::quit);
        const bool terminou = EsperarAte(laco, [resposta] { return resposta->isFinished(); }, limite_ + 500);
        QByteArray corpo;
        if (terminou && resposta->error() == QNetworkReply::NoError) corpo = resposta->readAll();
        resposta->abort();
        delete resposta;
        const QJsonDocument doc = QJsonDocument::fromJson(corpo);
        if (!doc.isArray()) return false;  // nothing there, or not a browser
        for (const QJsonValue& v : doc.array()) {
            const QJsonObject alvo = v.toObject();
            if (alvo.value(QStringLiteral("type")).toString() != QLatin1String("page")) continue;
            // Only the path of the announced WebSocket is taken: the
            // connection always goes to loopback on the configured port.
            const QUrl ws(alvo.value(QStringLiteral("webSocketDebuggerUrl")).toString());
            abas_.push_back({alvo.value(QStringLiteral("id")).toString(), alvo.value(QStringLiteral("url")).toString(),
                             ws.path()});
        }
        return true;
    }

    bool LerAbaAtual(AbaNavegador* aba, QString* erro) override
    {
        // The endpoint lists the tabs most recently used first.
        if (abas_.empty()) {
            *erro = QStringLiteral(u"O Browser n\u00e3o tem nenhuma p\u00e1gina aberta");
            return false;
        }
        *aba = abas_.front();
        return true;
    }

    bool Navegar(const AbaNavegador& aba, const QString& endereco, QString* erro) override
    {
        if (aba.canal.isEmpty() || !aba.canal.startsWith(QLatin1Char('/'))) {
            *erro = QStringLiteral(u"O Browser n\u00e3o permite controlar esta p\u00e1gina");
            return false;
        }
        QUrl url;
        url.setScheme(QStringLiteral("ws"));
        url.setHost(QString::fromLatin1(kLoopback));
        url.setPort(porta_);
        url.setPath(aba.canal);
        clCanalJson canal;
        if (!canal.Abrir(url, limite_)) {
            *erro = QStringLiteral(u"O Browser recusou o controle remoto desta p\u00e1gina");
            return false;
        }
        QJsonObject resposta;
        QString falha;
        if (!canal.Chamar(QStringLiteral("Page.navigate"), {{QStringLiteral("url"), endereco}}, limite_, &resposta,
                          &falha)) {
            // The command went out: a browser still waiting for the first
            // bytes of a slow page has taken it.
            if (falha.contains(QStringLiteral("tempo"))) return true;
            *erro = QStringLiteral(u"O Browser n\u00e3o abriu o endere\u00e7o: ") + falha;
            return false;
        }
        QString texto = ErroDaResposta(resposta);
        if (texto.isEmpty())
            texto = resposta.value(QStringLiteral("result")).toObject().value(QStringLiteral("errorText")).toString();
        if (!texto.isEmpty()) {
            *erro = QStringLiteral(u"O Browser n\u00e3o abriu o endere\u00e7o %1 (%2)").arg(endereco, texto);
            return false;
        }
        return true;
    }

    void Desconectar() override { abas_.clear(); }

private:
    int porta_;
    std::vector<AbaNavegador> abas_;
};

class clControleFirefox : public clControleNavegador {
public:
    explicit clControleFirefox(int porta) : porta_(porta) {}
    ~clControleFirefox() override { Desconectar(); }

    bool Conectar(QString* erro) override
    {
        erro->clear();
        Desconectar();
        canal_ = std::make_unique<clCanalJson>();
        QUrl url;
        url.setScheme(QStringLiteral("ws"));
        url.setHost(QString::fromLatin1(kLoopback));
        url.setPort(porta_);
        url.setPath(QStringLiteral("/session"));
        if (!canal_->Abrir(url, limite_)) {
            canal_.reset();
            return false;
        }
        QJsonObject resposta;
        QString falha;
        // A browser still starting may take a while to open a session; one
        // given up half-way would stay and block the next.
        if (!canal_->Chamar(QStringLiteral("session.new"), {{QStringLiteral("capabilities"), QJsonObject()}},
                            limite_ * 3, &resposta, &falha) ||
            !(falha = ErroDaResposta(resposta)).isEmpty()) {
            // Something answers, but it will not take a session (another
            // program is controlling the browser, for one).
            *erro = QStringLiteral(u"O Browser recusou o controle remoto (%1)").arg(falha);
            canal_.reset();
            return false;
        }
        sessao_ = true;
        return true;
    }

    bool LerAbaAtual(AbaNavegador* aba, QString* erro) override
    {
        QJsonObject resposta;
        if (!Pedir(QStringLiteral("browsingContext.getTree"), {{QStringLiteral("maxDepth"), 0}}, &resposta, erro))
            return false;
        const QJsonArray contextos =
            resposta.value(QStringLiteral("result")).toObject().value(QStringLiteral("contexts")).toArray();
        if (contextos.isEmpty()) {
            *erro = QStringLiteral(u"O Browser n\u00e3o tem nenhuma p\u00e1gina aberta");
            return false;
        }
        // With several tabs, the one in the focused window wins, then a
        // visible one (the selected tab of a window), then the first.
        int melhor = -1;
        for (const QJsonValue& v : contextos) {
            const QJsonObject c = v.toObject();
            const AbaNavegador candidata{c.value(QStringLiteral("context")).toString(),
                                         c.value(QStringLiteral("url")).toString(), {}};
            const int nota = contextos.size() == 1 ? 0 : Destaque(candidata.id);
            if (nota > melhor) {
                melhor = nota;
                *aba = candidata;
            }
        }
        return true;
    }

    bool Navegar(const AbaNavegador& aba, const QString& endereco, QString* erro) override
    {
        QJsonObject resposta;
        if (!Pedir(QStringLiteral("browsingContext.navigate"),
                   {{QStringLiteral("context"), aba.id},
                    {QStringLiteral("url"), endereco},
                    {QStringLiteral("wait"), QStringLiteral("none")}},
                   &resposta, erro)) {
            *erro = QStringLiteral(u"O Browser n\u00e3o abriu o endere\u00e7o %1 (%2)").arg(endereco, *erro);
            return false;
        }
        return true;
    }

    void Desconectar() override
    {
        if (canal_ && sessao_) {
            QJsonObject resposta;
            QString erro;
            canal_->Chamar(QStringLiteral("session.end"), QJsonObject(), std::min(limite_, 2000), &resposta, &erro);
        }
        sessao_ = false;
        canal_.reset();
    }

private:
    bool Pedir(const QString& metodo, const QJsonObject& parametros, QJsonObject* resposta, QString* erro)
    {
        if (!canal_) {
            *erro = QStringLiteral(u"a conex\u00e3o com o Browser foi fechada");
            return false;
        }
        if (!canal_->Chamar(metodo, parametros, limite_, resposta, erro)) return false;
        *erro = ErroDaResposta(*resposta);
        return erro->isEmpty();
    }

    // 2: the page has the focus; 1: visible; 0: neither or unknown.
    int Destaque(const QString& contexto)
    {
        QJsonObject resposta;
        QString erro;
        const QJsonObject alvo{{QStringLiteral("context"), contexto}};
        if (!Pedir(QStringLiteral("script.evaluate"),
                   {{QStringLiteral("expression"),
                     QStringLiteral("document.hasFocus() ? 2 : document.visibilityState == 'visible' ? 1 : 0")},
                    {QStringLiteral("target"), alvo},
                    {QStringLiteral("awaitPromise"), false}},
                   &resposta, &erro))
            return 0;
        return resposta.value(QStringLiteral("result"))
            .toObject()
            .value(QStringLiteral("result"))
            .toObject()
            .value(QStringLiteral("value"))
            .toInt(0);
    }

    int porta_;
    std::unique_ptr<clCanalJson> canal_;
    bool sessao_ = false;
};

ResultadoAcao Executar(clControleNavegador& controle, TipoNavegador tipo, int portaNavegador,
                       const std::function<ResultadoAcao(const QString&)>& regra)
{
    ResultadoAcao r;
    QString erro;
    if (!controle.Conectar(&erro)) {
        r.mensagem = erro.isEmpty() ? MensagemBrowserInativo(tipo, portaNavegador) : erro;
        return r;
    }
    AbaNavegador aba;
    if (!controle.LerAbaAtual(&aba, &erro)) {
        r.mensagem = erro;
    } else {
        r = regra(aba.endereco);
        if (r.enviado && !controle.Navegar(aba, r.destino, &erro)) {
            r.enviado = false;
            r.mensagem = erro;
        }
    }
    controle.Desconectar();
    return r;
}

} // namespace

QString NomeNavegador(TipoNavegador tipo)
{
    return tipo == TipoNavegador::Firefox ? QStringLiteral("Firefox") : QStringLiteral("Chromium");
}

bool LerNomeNavegador(const QString& nome, TipoNavegador* tipo)
{
    if (nome.compare(QLatin1String("firefox"), Qt::CaseInsensitive) == 0) {
        *tipo = TipoNavegador::Firefox;
        return true;
    }
    if (nome.compare(QLatin1String("chromium"), Qt::CaseInsensitive) == 0) {
        *tipo = TipoNavegador::Chromium;
        return true;
    }
    return false;
}

std::unique_ptr<clControleNavegador> CriarControleNavegador(TipoNavegador tipo, int porta)
{
    if (tipo == TipoNavegador::Firefox) return std::make_unique<clControleFirefox>(porta);
    return std::make_unique<clControleChromium>(porta);
}

ResultadoAcao RegraTraduzir(const QString& endereco, int portaProxy)
{
    ResultadoAcao r;
    if (endereco.contains(QLatin1String(kLoopback))) {
        r.mensagem = JaTraduzido();
        return r;
    }
    r.enviado = true;
    r.destino = QStringLiteral("http://%1:%2/").arg(QLatin1String(kLoopback)).arg(portaProxy) + endereco;
    return r;
}

ResultadoAcao RegraMostrarOriginal(const QString& endereco)
{
    ResultadoAcao r;
    // The proxy's prefix, whatever its port.
    static const QRegularExpression prefixo(QStringLiteral("^http://127\\.0\\.0\\.1(:[0-9]+)?/"),
                                            QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch m = prefixo.match(endereco);
    if (!endereco.contains(QLatin1String(kLoopback)) || !m.hasMatch() || m.capturedLength() == endereco.size()) {
        r.mensagem = JaOriginal();
        return r;
    }
    QString original = endereco.mid(m.capturedLength());
    // A browser may have folded the "//" after the scheme into one slash.
    for (const QLatin1String esquema : {QLatin1String("http:"), QLatin1String("https:"), QLatin1String("file:")}) {
        if (!original.startsWith(esquema, Qt::CaseInsensitive)) continue;
        const QStringView resto = QStringView(original).mid(esquema.size());
        if (resto.startsWith(QLatin1String("/")) && !resto.startsWith(QLatin1String("//"))) {
            // "file:/home/a" is the local path /home/a, which "file://home/a"
            // would not be (that names a host).
            const bool arquivo = esquema == QLatin1String("file:");
            original.insert(esquema.size(), arquivo ? QStringLiteral("//") : QStringLiteral("/"));
        }
        break;
    }
    r.enviado = true;
    r.destino = original;
    return r;
}

QString MensagemBrowserInativo(TipoNavegador tipo, int porta)
{
    const QString linha =
        tipo == TipoNavegador::Firefox
            ? QStringLiteral(u"Inicie o Firefox com o controle remoto: firefox --remote-debugging-port %1").arg(porta)
            : QStringLiteral(u"Inicie o Chromium com o controle remoto: chromium --remote-debugging-port=%1").arg(porta);
    return QStringLiteral(u"O Browser n\u00e3o est\u00e1 ativo\n") + linha;
}

ResultadoAcao Traduzir(clControleNavegador& controle, TipoNavegador tipo, int portaNavegador, int portaProxy)
{
    return Executar(controle, tipo, portaNavegador,
                    [portaProxy](const QString& endereco) { return RegraTraduzir(endereco, portaProxy); });
}

ResultadoAcao MostrarOriginal(clControleNavegador& controle, TipoNavegador tipo, int portaNavegador)
{
    return Executar(controle, tipo, portaNavegador, RegraMostrarOriginal);
}
