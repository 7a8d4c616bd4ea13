// The sorvane program without a window: the port, the log, the signals.
#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <thread>

#include "apoio_web.h"

namespace {

class Programa : public ::testing::Test {
protected:
    void SetUp() override { pasta_ = CriarPastaTemporaria("sorvane-prog"); }
    void TearDown() override
    {
        if (pid_ > 0) {
            kill(pid_, SIGKILL);
            waitpid(pid_, nullptr, 0);
        }
        RemoverPasta(pasta_);
    }

    void Iniciar(std::vector<std::string> argumentos)
    {
        pid_ = fork();
        if (pid_ == 0) {
            prctl(PR_SET_PDEATHSIG, SIGKILL);
            setenv("QUILLANE_REGISTRO", (pasta_ + "/registro").c_str(), 1);
            const int err = ::open((pasta_ + "/stderr").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
            dup2(err, 2);
            std::vector<char*> argv{const_cast<char*>(QUILLANE_SORVANE_EXE)};
            for (auto& a : argumentos) argv.push_back(a.data());
            argv.push_back(nullptr);
            execv(QUILLANE_SORVANE_EXE, argv.data());
            _exit(127);
        }
    }
    // Waits until the program answers on `porta`, at most 10 s.
    bool Pronto(int porta)
    {
        for (int i = 0; i < 200; ++i) {
            if (Get(porta, "/").status == 400) return true;
            int st;
            if (waitpid(pid_, &st, WNOHANG) == pid_) {
                pid_ = -1;
                return false;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        }
        return false;
    }
    // The exit status, waiting at most `espera`; -1 if still running.
    int Fim(std::chrono::milliseconds espera)
    {
        const auto limite = std::chrono::steady_clock::now() + espera;
        while (std::chrono::steady_clock::now() < limite) {
            int st;
            if (waitpid(pid_, &st, WNOHANG) == pid_) {
                pid_ = -1;
                return WIFEXITED(st) ? WEXITSTATUS(st) : 128 + WTERMSIG(st);
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        return -1;
    }
    std::string Erros() { return LerArquivo(pasta_ + "/stderr"); }

    std::string pasta_;
    pid_t pid_ = -1;
};

TEST_F(Programa, PortaDaConfiguracaoRegistroVerbosoESigterm)
{
    const int porta = PortaLivre();
    char hex[16];
    std::snprintf(hex, sizeof hex, "%08x", porta);
    GravarArquivo(pasta_ + "/registro/HKEY_CURRENT_USER.reg",
                  std::string("REGEDIT4\n\n[Software\\Brinmor\\QuillaneBeta\\Web]\n\"Porta\"=dword:") + hex + "\n");
    Iniciar({"--sem-janela", "--verboso"});
    ASSERT_TRUE(Pronto(porta)) << Erros();
    kill(pid_, SIGTERM);
    EXPECT_EQ(Fim(std::chrono::seconds(10)), 0);
    EXPECT_NE(Erros().find(" GET - 400 "), std::string::npos) << Erros();
}

TEST_F(Programa, SigintComPaginaPresaTerminaEmPoucosSegundos)
{
    // A server that never answers holds a page in progress.
    const int mudo = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ASSERT_EQ(bind(mudo, reinterpret_cast<sockaddr*>(&a), sizeof a), 0);
    socklen_t t = sizeof a;
    getsockname(mudo, reinterpret_cast<sockaddr*>(&a), &t);
    listen(mudo, 4);
    const int porta = PortaLivre();
    Iniciar({"--sem-janela", "--porta", std::to_string(porta)});
    ASSERT_TRUE(Pronto(porta)) << Erros();
    RespostaHttp r;
    std::thread cliente([&]() { r = Get(porta, "/http://127.0.0.1:" + std::to_string(ntohs(a.sin_port)) + "/"); });
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    const auto antes = std::chrono::steady_clock::now();
    kill(pid_, SIGINT);
    EXPECT_EQ(Fim(std::chrono::seconds(15)), 0);
    EXPECT_LT(std::chrono::steady_clock::now() - antes, std::chrono::seconds(8));
    cliente.join();
    EXPECT_TRUE(r.completa);
    close(mudo);
}

TEST_F(Programa, PortaOcupadaSaiComUmEDiz)
{
    const int ocupada = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ASSERT_EQ(bind(ocupada, reinterpret_cast<sockaddr*>(&a), sizeof a), 0);
    socklen_t t = sizeof a;
    getsockname(ocupada, reinterpret_cast<sockaddr*>(&a), &t);
    listen(ocupada, 1);
    Iniciar({"--sem-janela", "--porta", std::to_string(ntohs(a.sin_port))});
    EXPECT_EQ(Fim(std::chrono::seconds(10)), 1);
    EXPECT_NE(Erros().find("The address given is already in use."), std::string::npos) << Erros();
    EXPECT_NE(Erros().find("--porta"), std::string::npos);
    close(ocupada);

    Iniciar({"--porta", "abc"});
    EXPECT_EQ(Fim(std::chrono::seconds(10)), 2);
}

} // namespace
