#include "formats/pedido.h"

#include <pthread.h>

#include <memory>
#include <new>

#include "core/motor.h"
#include "formats/documento.h"
#include "formats/html.h"
#include "formats/rtf.h"
#include "formats/texto.h"
#include "mensagens.h"
#include "threads.h"

namespace {

int ExecutarCom(PedidoTraducao* pedido, clSaidaPendente* pendente)
{
    int resultado = 0;
    switch (pedido->tipo) {
    case TIPO_TEXTO: {
        clDocTexto documento(pedido, pendente);
        resultado = documento.Executar();
        break;
    }
    case TIPO_RTF: {
        clDocRtf documento(pedido, pendente);
        resultado = documento.Executar();
        break;
    }
    case TIPO_HTML: {
        // On the heap: with its tag buffer and markup pool the translator
        // would take too much of the worker's small stack.
        std::unique_ptr<clDocHtml> documento(new (std::nothrow) clDocHtml(pedido, pendente));
        if (documento) resultado = documento->Executar();
        break;
    }
    default:
        // Kinds this engine cannot translate run nothing.
        break;
    }
    if (pedido->modo == MODO_FLUXO) EntregarRestante(pedido, pendente);
    return resultado;
}

void TrabalhoTraducao(void* argumento)
{
    auto* pedido = static_cast<PedidoTraducao*>(argumento);
    try {
        clSaidaPendente pendente;
        ExecutarCom(pedido, &pendente);
    } catch (...) {
        // Out of memory on the worker: the request ends with what was
        // handed over; the caller must not wait for ever.
    }
    PostarMensagemThread(pedido->idChamador, MSG_TRADUCAO, 0, 0);
}

} // namespace

int ExecutarDocumento(PedidoTraducao* pedido)
{
    clSaidaPendente pendente;
    return ExecutarCom(pedido, &pendente);
}

std::uint8_t TraduzirPedido(PedidoTraducao* pedido)
{
    if (!pedido || Motor().motorPronto.load() != 1) return 0;
    switch (pedido->modo) {
    case MODO_FLUXO: {
        if (!pedido->threadTrabalho) {
            // Without an output buffer nothing could be delivered.
            if (!pedido->saida) return 0;
            pedido->proprio = pedido;
            pedido->threadChamador = reinterpret_cast<void*>(pthread_self());
            pedido->idChamador = IdThreadAtual();
            std::uint32_t id = 0;
            clThread* trabalho = CriarThread(kPilhaTrabalho, TrabalhoTraducao, pedido, &id);
            if (!trabalho) return 0;
            pedido->idTrabalho = id;
            pedido->threadTrabalho = trabalho;
        } else {
            PostarMensagemThread(pedido->idTrabalho, WM_USER, 0, 0);
        }
        const MensagemThread m = EsperarMensagem(MSG_TRADUCAO);
        if (m.lParam == 0) {
            EsperarThread(static_cast<clThread*>(pedido->threadTrabalho));
            pedido->threadTrabalho = nullptr;
        }
        return 1;
    }
    case MODO_ARQUIVO:
    case MODO_AREA_TRANSFERENCIA:
        try {
            ExecutarDocumento(pedido);
        } catch (...) {
            MostrarErro(2, nullptr, 0);
            return 0;
        }
        return 1;
    default:
        return 1;
    }
}
