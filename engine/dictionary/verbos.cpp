#include "verbos.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>

#include "caracteres.h"
#include "formato_dicionario.h"
#include "memoria_compartilhada.h"
#include "mensagens.h"

namespace {

constexpr const char* kNomeMapeamento = "Moriel_clVerboI";
constexpr std::size_t kPedacoLeitura = 32766;

struct Arquivo {
    std::FILE* f = nullptr;
    ~Arquivo()
    {
        if (f) std::fclose(f);
    }
};

// Checks everything the lookup will trust: the records fit the data area,
// every key is terminated inside its field and every form block lies inside
// the data area with each of its slots terminated. Without this a damaged or
// hostile file would make the lookup read past the view.
bool TabelaIntegra(const unsigned char* dados, std::uint32_t n, std::uint32_t registros, unsigned k, unsigned w)
{
    const std::uint64_t ficha = k + 4u;
    if (static_cast<std::uint64_t>(registros) * ficha > n) return false;
    const std::uint64_t bloco = static_cast<std::uint64_t>(w) * verbos::kSlots;
    for (std::uint32_t i = 0; i < registros; ++i) {
        const unsigned char* r = dados + i * ficha;
        if (!std::memchr(r, 0, k)) return false;
        const std::uint32_t desloc = formato::Ler32(r + k);
        if (desloc + bloco > n) return false;
        for (int s = 0; s < verbos::kSlots; ++s)
            if (!std::memchr(dados + desloc + static_cast<std::uint64_t>(s) * w, 0, w)) return false;
    }
    return true;
}

int CompararChave(const unsigned char* chave, const char* palavra)
{
    const auto* p = reinterpret_cast<const unsigned char*>(palavra);
    for (;; ++chave, ++p) {
        if (*chave != *p) return *chave < *p ? -1 : 1;
        if (*chave == 0) return 0;
    }
}

} // namespace

clVerboI::clVerboI() = default;
clVerboI::~clVerboI() { LiberarVerbos(*this); }

void LiberarVerbos(clVerboI& verbos)
{
    if (verbos.mapeamento) verbos.mapeamento->Fechar();
    verbos.mapeamento.reset();
    verbos.vista = nullptr;
    verbos.dados = nullptr;
    verbos.tamDados = 0;
    verbos.ultimo = -1;
    verbos.tamFicha = verbos.largChave = verbos.largForma = 0;
}

bool CarregarVerbos(clVerboI& verbos, const char* pasta, const char* nome)
{
    LiberarVerbos(verbos);
    if (!pasta || !nome) return false;
    std::string caminho = pasta;
    if (!caminho.empty() && caminho.back() != '/') caminho += '/';
    caminho += nome;

    Arquivo arq;
    arq.f = std::fopen(caminho.c_str(), "rb");
    if (!arq.f) return false;

    unsigned char cab[verbos::kTamCabecalho];
    long tamArquivo = -1;
    if (std::fseek(arq.f, 0, SEEK_END) == 0) tamArquivo = std::ftell(arq.f);
    std::rewind(arq.f);
    if (tamArquivo < 0 || std::fread(cab, 1, sizeof cab, arq.f) != sizeof cab) {
        MostrarErro(10, caminho.c_str(), 0);
        return false;
    }
    formato::Complementar(cab, sizeof cab);
    const std::uint32_t n = formato::Ler32(cab);
    const std::uint16_t l = formato::Ler16(cab + 4);
    const unsigned k = cab[6];
    const unsigned w = cab[7];
    // The lookup runs on signed 16-bit bounds, so a table past 32,767
    // records could not be searched; such a header is as damaged as one
    // whose size disagrees with the file.
    if (static_cast<std::uint64_t>(tamArquivo) != verbos::kTamCabecalho + static_cast<std::uint64_t>(n) || n == 0 ||
        k == 0 || w == 0 || l > 32766) {
        MostrarErro(10, caminho.c_str(), 0);
        return false;
    }

    auto mapa = std::make_unique<clMapeamento>();
    if (!mapa->Abrir(kNomeMapeamento, caminho, n) || !mapa->Vista()) {
        MostrarErro(3, "", mapa->UltimoErro());
        return false;
    }
    auto* vista = static_cast<unsigned char*>(mapa->Vista());
    if (mapa->Novo()) {
        std::size_t lidos = 0;
        while (lidos < n) {
            const std::size_t pedir = std::min<std::size_t>(kPedacoLeitura, n - lidos);
            const std::size_t veio = std::fread(vista + lidos, 1, pedir, arq.f);
            formato::Complementar(vista + lidos, veio);
            lidos += veio;
            if (veio != pedir) break;
        }
        if (lidos != n || !TabelaIntegra(vista, n, l + 1u, k, w)) {
            // Never published: the half-filled object goes away with Fechar.
            mapa->Fechar();
            MostrarErro(10, caminho.c_str(), 0);
            return false;
        }
        mapa->Publicar();
    } else if (!TabelaIntegra(vista, n, l + 1u, k, w)) {
        mapa->Fechar();
        MostrarErro(10, caminho.c_str(), 0);
        return false;
    }

    verbos.mapeamento = std::move(mapa);
    verbos.vista = vista;
    verbos.dados = vista;
    verbos.tamDados = n;
    verbos.ultimo = static_cast<std::int16_t>(l);
    verbos.largChave = static_cast<std::uint16_t>(k);
    verbos.largForma = static_cast<std::uint16_t>(w);
    verbos.tamFicha = static_cast<std::uint16_t>(k + 4);
    return true;
}

bool FormaIrregular(const clVerboI& verbos, char* palavra, int pessoa, int tempo, std::size_t tamPalavra)
{
    if (!verbos.dados || !palavra || tamPalavra == 0) return false;
    int slot;
    if (tempo == verbos::kTempoParticipio) {
        slot = 1;
    } else if (tempo >= 0 && tempo < verbos::kTempos && pessoa >= 0 && pessoa < verbos::kPessoas) {
        slot = 2 + verbos::kPessoas * tempo + pessoa;
    } else {
        return false;
    }
    // A buffer without its NUL is not a word; treat it as not found.
    const std::size_t tam = strnlen(palavra, tamPalavra);
    if (tam == tamPalavra) return false;

    std::int16_t primeiro = 0;
    std::int16_t ultimo = verbos.ultimo;
    const unsigned char* ficha = nullptr;
    while (primeiro <= ultimo) {
        const auto meio = static_cast<std::int16_t>((primeiro + ultimo) / 2);
        const unsigned char* r = verbos.dados + static_cast<std::size_t>(meio) * verbos.tamFicha;
        const int c = CompararChave(r, palavra);
        if (c < 0) {
            primeiro = static_cast<std::int16_t>(meio + 1);
        } else if (c > 0) {
            ultimo = static_cast<std::int16_t>(meio - 1);
        } else {
            ficha = r;
            break;
        }
    }
    if (!ficha) return false;

    const unsigned char* bloco = verbos.dados + formato::Ler32(ficha + verbos.largChave);
    const char* terminacao = reinterpret_cast<const char*>(bloco);
    const char* troca = reinterpret_cast<const char*>(bloco + static_cast<std::size_t>(slot) * verbos.largForma);
    char* inicio = TerminaCom(palavra, tam, terminacao);
    if (!inicio) return true;
    const std::size_t base = static_cast<std::size_t>(inicio - palavra);
    const std::size_t n = std::strlen(troca);
    if (base + n + 1 > tamPalavra) return true;
    std::memcpy(inicio, troca, n + 1);
    return true;
}

std::vector<unsigned char> MontarTabelaVerbos(std::vector<VerboFonte> lista, std::string* erro)
{
    auto falha = [erro](const std::string& motivo) {
        if (erro) *erro = motivo;
        return std::vector<unsigned char>{};
    };
    if (lista.empty()) return falha("nenhum verbo");
    if (lista.size() > 32767) return falha("verbos demais");
    std::sort(lista.begin(), lista.end(), [](const VerboFonte& a, const VerboFonte& b) {
        return std::lexicographical_compare(a.infinitivo.begin(), a.infinitivo.end(), b.infinitivo.begin(),
                                            b.infinitivo.end(), [](char x, char y) {
                                                return static_cast<unsigned char>(x) < static_cast<unsigned char>(y);
                                            });
    });
    std::size_t k = 1;
    std::size_t w = 1;
    for (std::size_t i = 0; i < lista.size(); ++i) {
        const VerboFonte& v = lista[i];
        if (v.infinitivo.empty() || v.infinitivo.find('\0') != std::string::npos)
            return falha("infinitivo vazio ou inv\xE1lido");
        if (i > 0 && lista[i - 1].infinitivo == v.infinitivo) return falha("verbo repetido: " + v.infinitivo);
        k = std::max(k, v.infinitivo.size() + 1);
        w = std::max(w, v.terminacao.size() + 1);
        for (const std::string& t : v.trocas) w = std::max(w, t.size() + 1);
    }
    if (k > 255 || w > 255) return falha("texto longo demais para a tabela");

    const std::size_t ficha = k + 4;
    const std::size_t bloco = w * verbos::kSlots;
    const std::size_t n = lista.size() * (ficha + bloco);
    if (n > 0xFFFFFFFFu) return falha("tabela grande demais");
    std::vector<unsigned char> img(verbos::kTamCabecalho + n, 0);
    formato::Gravar32(img.data(), static_cast<std::uint32_t>(n));
    formato::Gravar16(img.data() + 4, static_cast<std::uint16_t>(lista.size() - 1));
    img[6] = static_cast<unsigned char>(k);
    img[7] = static_cast<unsigned char>(w);
    unsigned char* dados = img.data() + verbos::kTamCabecalho;
    const std::size_t inicioBlocos = lista.size() * ficha;
    for (std::size_t i = 0; i < lista.size(); ++i) {
        const VerboFonte& v = lista[i];
        unsigned char* r = dados + i * ficha;
        std::memcpy(r, v.infinitivo.data(), v.infinitivo.size());
        const std::size_t desloc = inicioBlocos + i * bloco;
        formato::Gravar32(r + k, static_cast<std::uint32_t>(desloc));
        unsigned char* b = dados + desloc;
        std::memcpy(b, v.terminacao.data(), v.terminacao.size());
        for (int s = 1; s < verbos::kSlots; ++s)
            std::memcpy(b + static_cast<std::size_t>(s) * w, v.trocas[s - 1].data(), v.trocas[s - 1].size());
    }
    formato::Complementar(img.data(), img.size());
    return img;
}
