#include "threads.h"

#include <pthread.h>

#include <atomic>
#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>
#include <new>
#include <unordered_map>

namespace {

struct Fila {
    std::mutex trava;
    std::condition_variable sinal;
    std::deque<MensagemThread> mensagens;
};

struct Registro {
    std::mutex trava;
    std::unordered_map<std::uint32_t, std::shared_ptr<Fila>> filas;
};

// Never destroyed, so threads ending during process exit can still unregister.
Registro& Filas()
{
    static Registro* registro = new Registro;
    return *registro;
}

std::atomic<std::uint32_t> proximoId{1};

std::uint32_t NovoId()
{
    std::uint32_t id;
    do {
        id = proximoId.fetch_add(1);
    } while (id == 0);
    return id;
}

std::shared_ptr<Fila> RegistrarFila(std::uint32_t id)
{
    auto fila = std::make_shared<Fila>();
    std::lock_guard<std::mutex> g(Filas().trava);
    Filas().filas[id] = fila;
    return fila;
}

std::shared_ptr<Fila> AcharFila(std::uint32_t id)
{
    std::lock_guard<std::mutex> g(Filas().trava);
    auto it = Filas().filas.find(id);
    return it == Filas().filas.end() ? nullptr : it->second;
}

// The calling thread's identity; its queue is removed when the thread ends.
struct IdentidadeThread {
    std::uint32_t id = 0;
    std::shared_ptr<Fila> fila;
    ~IdentidadeThread()
    {
        if (id) {
            std::lock_guard<std::mutex> g(Filas().trava);
            Filas().filas.erase(id);
        }
    }
};

thread_local IdentidadeThread identidade;

Fila& MinhaFila()
{
    if (!identidade.id) {
        identidade.id = NovoId();
        identidade.fila = RegistrarFila(identidade.id);
    }
    return *identidade.fila;
}

} // namespace

struct clThread {
    pthread_t thread{};
    std::uint32_t id = 0;
    std::shared_ptr<Fila> fila;
    void (*rotina)(void*) = nullptr;
    void* argumento = nullptr;
};

std::uint32_t IdThreadAtual()
{
    MinhaFila();
    return identidade.id;
}

bool PostarMensagemThread(std::uint32_t id, std::uint32_t mensagem, std::uintptr_t wParam, std::intptr_t lParam)
{
    auto fila = AcharFila(id);
    if (!fila) return false;
    {
        std::lock_guard<std::mutex> g(fila->trava);
        fila->mensagens.push_back({mensagem, wParam, lParam});
    }
    fila->sinal.notify_all();
    return true;
}

MensagemThread EsperarMensagem(std::uint32_t mensagem)
{
    Fila& fila = MinhaFila();
    std::unique_lock<std::mutex> g(fila.trava);
    while (true) {
        for (auto it = fila.mensagens.begin(); it != fila.mensagens.end(); ++it) {
            if (it->mensagem == mensagem) {
                MensagemThread m = *it;
                fila.mensagens.erase(it);
                return m;
            }
        }
        fila.sinal.wait(g);
    }
}

bool EspiarMensagem(std::uint32_t minimo, std::uint32_t maximo, MensagemThread* saida)
{
    Fila& fila = MinhaFila();
    std::lock_guard<std::mutex> g(fila.trava);
    for (const auto& m : fila.mensagens) {
        if ((minimo == 0 && maximo == 0) || (m.mensagem >= minimo && m.mensagem <= maximo)) {
            if (saida) *saida = m;
            return true;
        }
    }
    return false;
}

namespace {

void* InicioThread(void* p)
{
    auto* t = static_cast<clThread*>(p);
    // The queue was made by the creator; adopt it as this thread's own.
    identidade.id = t->id;
    identidade.fila = t->fila;
    t->rotina(t->argumento);
    return nullptr;
}

} // namespace

clThread* CriarThread(std::size_t tamPilha, void (*rotina)(void*), void* argumento, std::uint32_t* id)
{
    auto* t = new (std::nothrow) clThread;
    if (!t) return nullptr;
    t->id = NovoId();
    t->rotina = rotina;
    t->argumento = argumento;
    try {
        t->fila = RegistrarFila(t->id);
    } catch (...) {
        delete t;
        return nullptr;
    }
    pthread_attr_t atributos;
    pthread_attr_init(&atributos);
    if (tamPilha) pthread_attr_setstacksize(&atributos, tamPilha);
    const int erro = pthread_create(&t->thread, &atributos, InicioThread, t);
    pthread_attr_destroy(&atributos);
    if (erro != 0) {
        {
            std::lock_guard<std::mutex> g(Filas().trava);
            Filas().filas.erase(t->id);
        }
        delete t;
        return nullptr;
    }
    if (id) *id = t->id;
    return t;
}

void EsperarThread(clThread* t)
{
    if (!t) return;
    pthread_join(t->thread, nullptr);
    delete t;
}
