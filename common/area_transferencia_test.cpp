#include "area_transferencia.h"

#include "caracteres_reservados.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <optional>
#include <poll.h>
#include <pthread.h>
#include <spawn.h>
#include <string>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace {

namespace fs = std::filesystem;

bool NoCaminho(const std::string& programa)
{
    return std::system(("command -v " + programa + " >/dev/null 2>&1").c_str()) == 0;
}

// Keeps the environment variables a test changes and puts them back.
class VariaveisGuardadas {
public:
    VariaveisGuardadas()
    {
        for (const char* nome : {"DISPLAY", "WAYLAND_DISPLAY", "PATH"}) {
            const char* v = std::getenv(nome);
            guardadas_.push_back({nome, v != nullptr ? std::optional<std::string>(v) : std::nullopt});
        }
    }
    ~VariaveisGuardadas()
    {
        for (const auto& [nome, valor] : guardadas_) {
            if (valor) setenv(nome.c_str(), valor->c_str(), 1);
            else unsetenv(nome.c_str());
        }
        DefinirLimiteAreaTransferencia(5000);
    }

private:
    std::vector<std::pair<std::string, std::optional<std::string>>> guardadas_;
};

class PastaTemporaria {
public:
    PastaTemporaria()
    {
        char modelo[] = "/tmp/quillane_area_XXXXXX";
        const char* p = mkdtemp(modelo);
        caminho_ = p != nullptr ? p : "";
    }
    ~PastaTemporaria()
    {
        std::error_code ec;
        if (!caminho_.empty()) fs::remove_all(caminho_, ec);
    }
    const std::string& Caminho() const { return caminho_; }

    void Script(const std::string& nome, const std::string& corpo) const
    {
        const std::string arquivo = caminho_ + "/" + nome;
        std::ofstream(arquivo) << "#!/bin/sh\n" << corpo;
        chmod(arquivo.c_str(), 0755);
    }

private:
    std::string caminho_;
};

// Runs a shell command line, feeding `entrada` or returning its output; for
// putting things on the clipboard and looking at it behind the code's back.
std::string Shell(const std::string& comando, const std::string* entrada = nullptr)
{
    std::FILE* f = popen(comando.c_str(), entrada != nullptr ? "w" : "r");
    if (f == nullptr) return {};
    std::string saida;
    if (entrada != nullptr) {
        std::fwrite(entrada->data(), 1, entrada->size(), f);
    } else {
        char bloco[4096];
        std::size_t n;
        while ((n = std::fread(bloco, 1, sizeof bloco, f)) > 0) saida.append(bloco, n);
    }
    pclose(f);
    return saida;
}

// A private X server per test: a fresh server has an empty clipboard, and
// every xclip left serving a selection ends with it.
class AreaX11 : public testing::Test {
protected:
    void SetUp() override
    {
        if (!NoCaminho("Xvfb") || !NoCaminho("xclip")) GTEST_SKIP() << "Xvfb or xclip is not installed";
        int tubo[2];
        ASSERT_EQ(pipe(tubo), 0);
        // -displayfd makes the server pick a free display and report it once
        // it accepts connections.
        const std::string fd = std::to_string(tubo[1]);
        const char* argv[] = {"Xvfb", "-displayfd", fd.c_str(), "-nolisten", "tcp", nullptr};
        posix_spawn_file_actions_t acoes;
        posix_spawn_file_actions_init(&acoes);
        posix_spawn_file_actions_addopen(&acoes, 1, "/dev/null", O_WRONLY, 0);
        posix_spawn_file_actions_addopen(&acoes, 2, "/dev/null", O_WRONLY, 0);
        const int r = posix_spawnp(&servidor_, "Xvfb", &acoes, nullptr, const_cast<char**>(argv), environ);
        posix_spawn_file_actions_destroy(&acoes);
        close(tubo[1]);
        if (r != 0) servidor_ = -1;
        ASSERT_EQ(r, 0);
        std::string numero;
        const auto prazo = std::chrono::steady_clock::now() + std::chrono::seconds(15);
        while (numero.find('\n') == std::string::npos && std::chrono::steady_clock::now() < prazo) {
            pollfd p{tubo[0], POLLIN, 0};
            if (poll(&p, 1, 200) <= 0) continue;
            char c;
            if (read(tubo[0], &c, 1) != 1) break;
            numero += c;
        }
        close(tubo[0]);
        ASSERT_NE(numero.find('\n'), std::string::npos) << "Xvfb did not start";
        numero.pop_back();
        setenv("DISPLAY", (":" + numero).c_str(), 1);
        unsetenv("WAYLAND_DISPLAY");
        // On a loaded machine the first client can still be refused just
        // after the server reported its display: wait until one gets in.
        const auto prazoConexao = std::chrono::steady_clock::now() + std::chrono::seconds(15);
        while (Shell("xclip -selection clipboard -o -t TARGETS 2>&1").find("Can't open display") != std::string::npos) {
            ASSERT_LT(std::chrono::steady_clock::now(), prazoConexao) << "Xvfb does not accept clients";
            usleep(100000);
        }
    }

    void TearDown() override
    {
        if (servidor_ > 0) {
            kill(servidor_, SIGTERM);
            waitpid(servidor_, nullptr, 0);
        }
    }

    static std::string Bruto(const std::string& alvo)
    {
        return Shell("xclip -selection clipboard -o -t '" + alvo + "' 2>/dev/null");
    }

    VariaveisGuardadas variaveis_;
    pid_t servidor_ = -1;
};

TEST_F(AreaX11, TextoIdaEVoltaComAcentos)
{
    const std::string texto = "Bom dia, cora\xE7\xE3o! \x80 5 \x93" "aspas\x94 \xC0 \xFF";
    int erro = -1;
    ASSERT_TRUE(GravarAreaTransferencia(FormatoArea::Texto, texto, &erro));
    EXPECT_EQ(erro, 0);
    // Other programs see UTF-8.
    EXPECT_EQ(Bruto("UTF8_STRING"), "Bom dia, cora\xC3\xA7\xC3\xA3o! \xE2\x82\xAC 5 \xE2\x80\x9C" "aspas\xE2\x80\x9D \xC3\x80 \xC3\xBF");
    std::string lido;
    EXPECT_EQ(LerAreaTransferencia(FormatoArea::Texto, &lido, &erro), EstadoArea::Ok);
    EXPECT_EQ(lido, texto);

    // The engine's zero terminator does not reach the clipboard.
    ASSERT_TRUE(GravarAreaTransferencia(FormatoArea::Texto, std::string("Ol\xE1\0", 4), &erro));
    EXPECT_EQ(Bruto("UTF8_STRING"), "Ol\xC3\xA1");
}

TEST_F(AreaX11, FuncionaNaPilhaDoTrabalhador)
{
    // The engine's worker thread has a 32 KiB stack.
    struct Resultado {
        bool gravou = false;
        EstadoArea estado = EstadoArea::Indisponivel;
        std::string lido;
    } r;
    pthread_attr_t atributos;
    pthread_attr_init(&atributos);
    ASSERT_EQ(pthread_attr_setstacksize(&atributos, 32768), 0);
    pthread_t linha;
    ASSERT_EQ(pthread_create(
                  &linha, &atributos,
                  [](void* p) -> void* {
                      auto* r = static_cast<Resultado*>(p);
                      r->gravou = GravarAreaTransferencia(FormatoArea::Texto, "Bom dia.", nullptr);
                      r->estado = LerAreaTransferencia(FormatoArea::Texto, &r->lido, nullptr);
                      return nullptr;
                  },
                  &r),
              0);
    pthread_join(linha, nullptr);
    pthread_attr_destroy(&atributos);
    EXPECT_TRUE(r.gravou);
    EXPECT_EQ(r.estado, EstadoArea::Ok);
    EXPECT_EQ(r.lido, "Bom dia.");
}

TEST_F(AreaX11, TextoForaDoWindows1252)
{
    // Put there by another program: CJK and an emoji next to an accent.
    const std::string utf8 = "caf\xC3\xA9 \xE4\xB8\xAD \xF0\x9F\x98\x80";
    Shell("xclip -selection clipboard -i", &utf8);
    std::string lido;
    int erro = -1;
    // xclip claims the selection from a background copy; give it a moment.
    for (int i = 0; i < 200 && LerAreaTransferencia(FormatoArea::Texto, &lido, &erro) != EstadoArea::Ok; ++i)
        usleep(10000);
    EXPECT_EQ(lido, "caf\xE9 ? ?");
    EXPECT_EQ(LerAreaTransferencia(FormatoArea::Texto, &lido, &erro, '\0'), EstadoArea::Ok);
    EXPECT_EQ(lido, "caf\xE9 &#20013; &#128512;");
    // HTML: carried through Windows-1252 and put back whole on writing.
    EXPECT_EQ(LerAreaTransferencia(FormatoArea::Html, &lido, &erro), EstadoArea::Ok);
    EXPECT_EQ(lido, "caf\xE9 &#00020013; &#00128512;");
    ASSERT_TRUE(GravarAreaTransferencia(FormatoArea::Html, "<p>" + lido + "</p>", &erro));
    EXPECT_EQ(Bruto("UTF8_STRING"), "<p>" + utf8 + "</p>");
    // Plain text with placeholders: back whole on writing; HTML keeps its
    // references even when handed the placeholders' keeper.
    clCaracteresReservados reservados;
    ASSERT_EQ(LerAreaTransferencia(FormatoArea::Texto, &lido, &erro, &reservados), EstadoArea::Ok);
    EXPECT_EQ(lido.substr(0, 7), "<p>caf\xE9");
    EXPECT_EQ(lido.find('?'), std::string::npos);
    EXPECT_EQ(lido.find("&#"), std::string::npos);
    ASSERT_TRUE(GravarAreaTransferencia(FormatoArea::Texto, "[" + lido + "]", &erro, &reservados));
    EXPECT_EQ(Bruto("UTF8_STRING"), "[<p>" + utf8 + "</p>]");
    clCaracteresReservados outros;
    ASSERT_EQ(LerAreaTransferencia(FormatoArea::Html, &lido, &erro, &outros), EstadoArea::Ok);
    EXPECT_EQ(lido, "[<p>caf\xE9 &#00020013; &#00128512;</p>]");
    ASSERT_TRUE(GravarAreaTransferencia(FormatoArea::Html, lido, &erro, &outros));
    EXPECT_EQ(Bruto("UTF8_STRING"), "[<p>" + utf8 + "</p>]");
}

TEST_F(AreaX11, RtfIdaEVoltaENaoETexto)
{
    const std::string rtf = "{\\rtf1\\ansi caf\\'e9 \xE9 {\\b Good} morning.\\par}";
    int erro = -1;
    ASSERT_TRUE(GravarAreaTransferencia(FormatoArea::Rtf, rtf, &erro));
    EXPECT_NE(Bruto("TARGETS").find("text/rtf"), std::string::npos);
    std::string lido;
    EXPECT_EQ(LerAreaTransferencia(FormatoArea::Rtf, &lido, &erro), EstadoArea::Ok);
    EXPECT_EQ(lido, rtf);  // byte for byte, no conversion
    // Only RTF on the clipboard: no text to translate.
    EXPECT_EQ(LerAreaTransferencia(FormatoArea::Texto, &lido, &erro), EstadoArea::SemDados);
    EXPECT_TRUE(lido.empty());
}

TEST_F(AreaX11, RtfComSoTextoNaAreaNaoMudaNada)
{
    ASSERT_TRUE(GravarAreaTransferencia(FormatoArea::Texto, "Good morning.", nullptr));
    std::string lido = "lixo";
    int erro = -1;
    EXPECT_EQ(LerAreaTransferencia(FormatoArea::Rtf, &lido, &erro), EstadoArea::SemDados);
    EXPECT_EQ(erro, 0);
    EXPECT_TRUE(lido.empty());
    EXPECT_EQ(LerAreaTransferencia(FormatoArea::Texto, &lido, &erro), EstadoArea::Ok);
    EXPECT_EQ(lido, "Good morning.");
}

TEST_F(AreaX11, AreaVaziaSemDados)
{
    std::string lido = "lixo";
    int erro = -1;
    EXPECT_EQ(LerAreaTransferencia(FormatoArea::Texto, &lido, &erro), EstadoArea::SemDados);
    EXPECT_EQ(erro, 0);
    EXPECT_TRUE(lido.empty());
    EXPECT_EQ(LerAreaTransferencia(FormatoArea::Rtf, &lido, &erro), EstadoArea::SemDados);
    // An empty text is nothing to translate either.
    ASSERT_TRUE(GravarAreaTransferencia(FormatoArea::Texto, "", &erro));
    EXPECT_EQ(LerAreaTransferencia(FormatoArea::Texto, &lido, &erro), EstadoArea::SemDados);
}

TEST_F(AreaX11, TextoGrandeIdaEVolta)
{
    // 1 MiB over every non-zero byte, so that most characters take two or
    // three bytes in UTF-8 and the transfers go in many pieces.
    std::string texto(1 << 20, ' ');
    for (std::size_t i = 0; i < texto.size(); ++i) texto[i] = static_cast<char>(1 + (i * 7919) % 255);
    int erro = -1;
    const auto inicio = std::chrono::steady_clock::now();
    ASSERT_TRUE(GravarAreaTransferencia(FormatoArea::Texto, texto, &erro)) << erro;
    std::string lido;
    ASSERT_EQ(LerAreaTransferencia(FormatoArea::Texto, &lido, &erro), EstadoArea::Ok) << erro;
    const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - inicio);
    EXPECT_EQ(lido.size(), texto.size());
    EXPECT_TRUE(lido == texto);
    std::printf("1 MiB written and read back in %lld ms\n", static_cast<long long>(ms.count()));
}

TEST_F(AreaX11, DisplayQueNaoAbreIndisponivel)
{
    // The server exists but has no screen 7: xclip cannot open the display.
    setenv("DISPLAY", (std::string(std::getenv("DISPLAY")) + ".7").c_str(), 1);
    std::string lido;
    int erro = 0;
    EXPECT_EQ(LerAreaTransferencia(FormatoArea::Texto, &lido, &erro), EstadoArea::Indisponivel);
    EXPECT_NE(erro, 0);
    EXPECT_FALSE(GravarAreaTransferencia(FormatoArea::Texto, "a", &erro));
    EXPECT_NE(erro, 0);
}

TEST_F(AreaX11, ServidorDaSelecaoNaoHerdaDescritores)
{
    // A descriptor of ours without close-on-exec: if xclip's background copy
    // kept it, the read end would never see end of file.
    int tubo[2];
    ASSERT_EQ(pipe(tubo), 0);
    ASSERT_TRUE(GravarAreaTransferencia(FormatoArea::Texto, "x", nullptr));
    close(tubo[1]);
    pollfd p{tubo[0], POLLIN, 0};
    const bool fimDoArquivo = poll(&p, 1, 1000) == 1;
    EXPECT_TRUE(fimDoArquivo) << "a clipboard tool kept a descriptor of this process";
    if (fimDoArquivo) {
        char c;
        EXPECT_EQ(read(tubo[0], &c, 1), 0);
    }
    close(tubo[0]);
}

// Cases that need no X server: the environment and fake tools decide.
class AreaSemServidor : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_FALSE(pasta_.Caminho().empty());
        unsetenv("WAYLAND_DISPLAY");
        setenv("DISPLAY", ":97", 1);
        setenv("PATH", pasta_.Caminho().c_str(), 1);  // only our fakes, which call other programs by path
    }
    VariaveisGuardadas variaveis_;
    PastaTemporaria pasta_;
};

TEST_F(AreaSemServidor, SemDisplayIndisponivel)
{
    unsetenv("DISPLAY");
    std::string lido;
    int erro = 0;
    EXPECT_EQ(LerAreaTransferencia(FormatoArea::Texto, &lido, &erro), EstadoArea::Indisponivel);
    EXPECT_EQ(erro, ENXIO);
    EXPECT_FALSE(GravarAreaTransferencia(FormatoArea::Rtf, "{\\rtf1 a}", &erro));
    EXPECT_EQ(erro, ENXIO);
    setenv("DISPLAY", "", 1);
    EXPECT_EQ(LerAreaTransferencia(FormatoArea::Rtf, &lido, &erro), EstadoArea::Indisponivel);
}

TEST_F(AreaSemServidor, FerramentaAusenteOuComFalha)
{
    std::string lido;
    int erro = 0;
    EXPECT_EQ(LerAreaTransferencia(FormatoArea::Texto, &lido, &erro), EstadoArea::Indisponivel);
    EXPECT_EQ(erro, ENOENT);
    EXPECT_FALSE(GravarAreaTransferencia(FormatoArea::Texto, "a", &erro));
    EXPECT_EQ(erro, ENOENT);

    pasta_.Script("xclip", "echo \"Error: Can't open display: $DISPLAY\" >&2\nexit 3\n");
    EXPECT_EQ(LerAreaTransferencia(FormatoArea::Texto, &lido, &erro), EstadoArea::Indisponivel);
    EXPECT_EQ(erro, 3);
    EXPECT_FALSE(GravarAreaTransferencia(FormatoArea::Texto, "a", &erro));
    EXPECT_EQ(erro, 3);

    // Quits without reading its input: the text was not stored.
    pasta_.Script("xclip", "exit 0\n");
    EXPECT_FALSE(GravarAreaTransferencia(FormatoArea::Texto, std::string(4 << 20, 'a'), &erro));
    EXPECT_EQ(erro, EPIPE);

    EXPECT_EQ(LerAreaTransferencia(static_cast<FormatoArea>(7), &lido, &erro), EstadoArea::FormatoDesconhecido);
    EXPECT_FALSE(GravarAreaTransferencia(static_cast<FormatoArea>(7), "a", &erro));
    EXPECT_EQ(erro, EINVAL);
}

TEST_F(AreaSemServidor, WaylandSemWlClipboardUsaXwayland)
{
    setenv("WAYLAND_DISPLAY", "wayland-9", 1);
    pasta_.Script("xclip", "exit 3\n");
    std::string lido;
    int erro = 0;
    EXPECT_EQ(LerAreaTransferencia(FormatoArea::Texto, &lido, &erro), EstadoArea::Indisponivel);
    EXPECT_EQ(erro, 3);  // xclip's answer
    unsetenv("DISPLAY");
    EXPECT_FALSE(GravarAreaTransferencia(FormatoArea::Texto, "a", &erro));
    EXPECT_EQ(erro, ENOENT);  // wl-copy's absence
}

TEST_F(AreaSemServidor, FerramentaPenduradaEstouraOPrazo)
{
    pasta_.Script("xclip", "exec /bin/sleep 30\n");
    DefinirLimiteAreaTransferencia(300);
    std::string lido;
    int erro = 0;
    const auto inicio = std::chrono::steady_clock::now();
    EXPECT_EQ(LerAreaTransferencia(FormatoArea::Texto, &lido, &erro), EstadoArea::Indisponivel);
    EXPECT_EQ(erro, ETIMEDOUT);
    EXPECT_FALSE(GravarAreaTransferencia(FormatoArea::Texto, std::string(1 << 20, 'a'), &erro));
    EXPECT_EQ(erro, ETIMEDOUT);
    EXPECT_LT(std::chrono::steady_clock::now() - inicio, std::chrono::seconds(3));
}

// Stand-ins for wl-paste and wl-copy keeping the clipboard in files, with
// the messages and exit codes of the real tools.
class AreaWayland : public AreaSemServidor {
protected:
    void SetUp() override
    {
        AreaSemServidor::SetUp();
        setenv("WAYLAND_DISPLAY", "wayland-9", 1);  // wins over DISPLAY
        const std::string d = pasta_.Caminho();
        pasta_.Script("wl-copy",
                      "[ \"$1\" = --type ] || exit 2\n"
                      "/bin/cat > '" + d + "/dados' && printf '%s\\n' \"$2\" > '" + d + "/tipo'\n"
                      // like the real tool, leave a server behind
                      "/bin/sleep 2 &\n");
        pasta_.Script("wl-paste",
                      "[ -f '" + d + "/tipo' ] || { echo 'Nothing is copied' >&2; exit 1; }\n"
                      "if [ \"$1\" = --list-types ]; then /bin/cat '" + d + "/tipo'; exit 0; fi\n"
                      "[ \"$1\" = --no-newline ] && [ \"$2\" = --type ] || exit 2\n"
                      "/bin/grep -qxF \"$3\" '" + d + "/tipo' || { echo 'No suitable type of content copied' >&2; exit 1; }\n"
                      "/bin/cat '" + d + "/dados'\n");
    }
};

TEST_F(AreaWayland, TextoERtf)
{
    std::string lido;
    int erro = -1;
    EXPECT_EQ(LerAreaTransferencia(FormatoArea::Texto, &lido, &erro), EstadoArea::SemDados);
    EXPECT_EQ(erro, 0);

    const auto inicio = std::chrono::steady_clock::now();
    ASSERT_TRUE(GravarAreaTransferencia(FormatoArea::Texto, "A\xE7\xE3o \x80", &erro)) << erro;
    EXPECT_LT(std::chrono::steady_clock::now() - inicio, std::chrono::milliseconds(1500));
    std::ifstream f(pasta_.Caminho() + "/tipo");
    std::string tipo;
    std::getline(f, tipo);
    EXPECT_EQ(tipo, "text/plain;charset=utf-8");
    EXPECT_EQ(LerAreaTransferencia(FormatoArea::Texto, &lido, &erro), EstadoArea::Ok);
    EXPECT_EQ(lido, "A\xE7\xE3o \x80");
    EXPECT_EQ(LerAreaTransferencia(FormatoArea::Rtf, &lido, &erro), EstadoArea::SemDados);

    ASSERT_TRUE(GravarAreaTransferencia(FormatoArea::Rtf, "{\\rtf1 \xE9}", &erro));
    EXPECT_EQ(LerAreaTransferencia(FormatoArea::Rtf, &lido, &erro), EstadoArea::Ok);
    EXPECT_EQ(lido, "{\\rtf1 \xE9}");
}

}  // namespace
