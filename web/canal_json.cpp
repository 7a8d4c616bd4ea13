#include "canal_json.h"

#include <QDeadlineTimer>
#include <QJsonDocument>
#include <QNetworkProxy>
#include <QTimer>

#include <algorithm>

bool EsperarAte(QEventLoop& laco, const std::function<bool()>& pronto, int milissegundos)
{
    const QDeadlineTimer prazo(milissegundos);
    QTimer relogio;
    relogio.setSingleShot(true);
    QObject::connect(&relogio, &QTimer::timeout, &laco, &QEventLoop::quit);
    while (!pronto()) {
        if (prazo.hasExpired()) return false;
        relogio.start(std::max<qint64>(1, prazo.remainingTime()));
        laco.exec();
    }
    return true;
}

clCanalJson::clCanalJson()
{
    // No proxy, whatever the environment says: the browser is local.
    socket_.setProxy(QNetworkProxy::NoProxy);
    auto caiu = [this] {
        caiu_ = true;
        laco_.quit();
    };
    QObject::connect(&socket_, &QWebSocket::connected, &laco_, [this] { laco_.quit(); });
    QObject::connect(&socket_, &QWebSocket::disconnected, &laco_, caiu);
    QObject::connect(&socket_, qOverload<QAbstractSocket::SocketError>(&QWebSocket::error), &laco_, caiu);
    QObject::connect(&socket_, &QWebSocket::textMessageReceived, &laco_, [this](const QString& texto) {
        const QJsonDocument doc = QJsonDocument::fromJson(texto.toUtf8());
        if (doc.isObject()) recebidas_.push_back(doc.object());
        laco_.quit();
    });
}

bool clCanalJson::Abrir(const QUrl& url, int milissegundos)
{
    socket_.open(url);
    const bool pronto = EsperarAte(
        laco_, [this] { return socket_.state() == QAbstractSocket::ConnectedState || Caiu(); }, milissegundos);
    return pronto && socket_.state() == QAbstractSocket::ConnectedState;
}

bool clCanalJson::Chamar(const QString& metodo, const QJsonObject& parametros, int milissegundos,
                         QJsonObject* resposta, QString* erro)
{
    if (socket_.state() != QAbstractSocket::ConnectedState) {
        *erro = QStringLiteral(u"a conex\u00e3o com o Browser foi fechada");
        return false;
    }
    const int id = proximoId_++;
    const QJsonObject comando{{QStringLiteral("id"), id}, {QStringLiteral("method"), metodo},
                              {QStringLiteral("params"), parametros}};
    socket_.sendTextMessage(QString::fromUtf8(QJsonDocument(comando).toJson(QJsonDocument::Compact)));
    bool achou = false;
    auto procurar = [&] {
        for (auto it = recebidas_.begin(); it != recebidas_.end(); ++it) {
            if (it->value(QStringLiteral("id")).toInt(-1) == id) {
                *resposta = *it;
                recebidas_.erase(it);
                achou = true;
                return true;
            }
        }
        recebidas_.clear();  // events: nothing here waits for them
        return Caiu();
    };
    EsperarAte(laco_, procurar, milissegundos);
    if (!achou) {
        *erro = Caiu() ? QStringLiteral(u"a conex\u00e3o com o Browser foi fechada")
                       : QStringLiteral(u"o Browser n\u00e3o respondeu a tempo");
    }
    return achou;
}

void clCanalJson::Fechar()
{
    // A closing handshake first, so the browser knows the peer is gone (and
    // ends what belonged to the connection); cut after a short wait.
    if (socket_.state() == QAbstractSocket::ConnectedState) {
        socket_.close();
        EsperarAte(laco_, [this] { return socket_.state() == QAbstractSocket::UnconnectedState || Caiu(); }, 1000);
    }
    if (socket_.state() != QAbstractSocket::UnconnectedState) socket_.abort();
}

// DevTools: {"error": {"message": ...}}; BiDi: {"type": "error", "error": code, "message": ...}.
QString ErroDaResposta(const QJsonObject& resposta)
{
    const QJsonValue erro = resposta.value(QStringLiteral("error"));
    if (erro.isObject()) return erro.toObject().value(QStringLiteral("message")).toString(QStringLiteral("erro"));
    if (resposta.value(QStringLiteral("type")).toString() == QLatin1String("error") || erro.isString()) {
        const QString mensagem = resposta.value(QStringLiteral("message")).toString();
        return erro.toString() + (mensagem.isEmpty() ? QString() : QStringLiteral(": ") + mensagem);
    }
    return {};
}
