// A JSON command channel over a WebSocket, as the browsers' remote control
// protocols use it: a command with an id, then the answer with that id.
// Every wait runs a local event loop with a deadline.
#pragma once

#include <QEventLoop>
#include <QJsonObject>
#include <QUrl>
#include <QWebSocket>

#include <functional>
#include <vector>

// Runs the event loop until `pronto` holds or the deadline passes. Whatever
// may make `pronto` true must quit `laco`.
bool EsperarAte(QEventLoop& laco, const std::function<bool()>& pronto, int milissegundos);

class clCanalJson {
public:
    clCanalJson();
    ~clCanalJson() { Fechar(); }
    clCanalJson(const clCanalJson&) = delete;
    clCanalJson& operator=(const clCanalJson&) = delete;

    bool Abrir(const QUrl& url, int milissegundos);
    // Sends a command and waits for its answer. False on a broken connection
    // or when the time runs out; `resposta` is the whole answer object.
    bool Chamar(const QString& metodo, const QJsonObject& parametros, int milissegundos, QJsonObject* resposta,
                QString* erro);
    void Fechar();

private:
    bool Caiu() const { return caiu_; }

    QWebSocket socket_;
    QEventLoop laco_;
    std::vector<QJsonObject> recebidas_;
    int proximoId_ = 1;
    bool caiu_ = false;
};

// The error text of an answer, empty when it is not an error.
QString ErroDaResposta(const QJsonObject& resposta);
