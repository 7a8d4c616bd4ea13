#include "memoria_compartilhada.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

class MemoriaCompartilhada : public ::testing::Test {
protected:
    void SetUp() override
    {
        char modelo[] = "/tmp/quillane_mapaXXXXXX";
        ASSERT_NE(mkdtemp(modelo), nullptr);
        pasta_ = modelo;
        arquivo_ = pasta_ + "/ip.dic";
        Gravar(arquivo_, "versao 1");
    }
    void TearDown() override
    {
        unlink(arquivo_.c_str());
        unlink((pasta_ + "/outro.dic").c_str());
        rmdir(pasta_.c_str());
    }

    static void Gravar(const std::string& caminho, const std::string& texto, long nanos = 0)
    {
        FILE* f = std::fopen(caminho.c_str(), "wb");
        ASSERT_NE(f, nullptr);
        std::fwrite(texto.data(), 1, texto.size(), f);
        std::fclose(f);
        if (nanos) {
            const timespec tempos[2] = {{1000000, nanos}, {1000000, nanos}};
            utimensat(AT_FDCWD, caminho.c_str(), tempos, 0);
        }
    }

    static bool Existe(const std::string& nomeObjeto) { return access(("/dev/shm" + nomeObjeto).c_str(), F_OK) == 0; }

    std::string pasta_;
    std::string arquivo_;
};

TEST_F(MemoriaCompartilhada, NovoPublicadoReusadoERemovidoPeloUltimo)
{
    clMapeamento a;
    ASSERT_TRUE(a.Abrir("Moriel_teste", arquivo_, 4000));
    EXPECT_TRUE(a.Novo());
    EXPECT_EQ(a.Tamanho(), 4000u);
    const std::string prefixo = "/Moriel_teste." + std::to_string(geteuid()) + ".";
    EXPECT_EQ(a.NomeObjeto().compare(0, prefixo.size(), prefixo), 0) << a.NomeObjeto();
    auto* p = static_cast<unsigned char*>(a.Vista());
    for (int i = 0; i < 4000; ++i) ASSERT_EQ(p[i], 0);
    std::memset(p, 0x5A, 4000);
    a.Publicar();

    struct stat st {};
    ASSERT_EQ(stat(("/dev/shm" + a.NomeObjeto()).c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0600u);

    {
        clMapeamento b;
        ASSERT_TRUE(b.Abrir("Moriel_teste", arquivo_, 4000));
        EXPECT_FALSE(b.Novo());
        EXPECT_EQ(b.NomeObjeto(), a.NomeObjeto());
        EXPECT_EQ(static_cast<unsigned char*>(b.Vista())[3999], 0x5A);
    }
    // b was not the last user.
    EXPECT_TRUE(Existe(a.NomeObjeto()));
    const std::string nome = a.NomeObjeto();
    a.Fechar();
    EXPECT_FALSE(Existe(nome));

    clMapeamento c;
    ASSERT_TRUE(c.Abrir("Moriel_teste", arquivo_, 4000));
    EXPECT_TRUE(c.Novo());
    c.Fechar();
}

TEST_F(MemoriaCompartilhada, NovoNaoPublicadoNaoFicaParaOsOutros)
{
    clMapeamento a;
    ASSERT_TRUE(a.Abrir("Moriel_teste", arquivo_, 100));
    std::memset(a.Vista(), 1, 100);
    const std::string nome = a.NomeObjeto();
    a.Fechar();
    EXPECT_FALSE(Existe(nome));
    ASSERT_TRUE(a.Abrir("Moriel_teste", arquivo_, 100));
    EXPECT_TRUE(a.Novo());
    EXPECT_EQ(static_cast<unsigned char*>(a.Vista())[0], 0);
}

TEST_F(MemoriaCompartilhada, ProcessoQueMorreuNoMeioNaoDeixaObjetoPelaMetade)
{
    const pid_t filho = fork();
    ASSERT_GE(filho, 0);
    if (filho == 0) {
        clMapeamento m;
        if (!m.Abrir("Moriel_teste", arquivo_, 100) || !m.Novo()) _exit(1);
        std::memset(m.Vista(), 7, 50);
        _exit(0);  // dies before Publicar()
    }
    int estado = 0;
    waitpid(filho, &estado, 0);
    ASSERT_TRUE(WIFEXITED(estado) && WEXITSTATUS(estado) == 0);

    clMapeamento m;
    ASSERT_TRUE(m.Abrir("Moriel_teste", arquivo_, 100));
    EXPECT_TRUE(m.Novo());
    EXPECT_EQ(static_cast<unsigned char*>(m.Vista())[0], 0);
}

TEST_F(MemoriaCompartilhada, PublicadoPorProcessoQueMorreuEReusado)
{
    const pid_t filho = fork();
    ASSERT_GE(filho, 0);
    if (filho == 0) {
        clMapeamento m;
        if (!m.Abrir("Moriel_teste", arquivo_, 100) || !m.Novo()) _exit(1);
        std::memset(m.Vista(), 7, 100);
        m.Publicar();
        _exit(0);  // never closes, as a killed process
    }
    int estado = 0;
    waitpid(filho, &estado, 0);
    ASSERT_TRUE(WIFEXITED(estado) && WEXITSTATUS(estado) == 0);

    clMapeamento m;
    ASSERT_TRUE(m.Abrir("Moriel_teste", arquivo_, 100));
    EXPECT_FALSE(m.Novo());
    EXPECT_EQ(static_cast<unsigned char*>(m.Vista())[99], 7);
}

// Several processes open at the same moment: one fills, the others wait
// for it and see the whole content.
TEST_F(MemoriaCompartilhada, AberturaSimultaneaDecodificaUmaVez)
{
    constexpr int kFilhos = 4;
    constexpr std::size_t kTam = 1 << 20;
    // Pipes instead of sleeps, so a loaded machine cannot change the order:
    // all start together, and each holds its view until all have opened.
    int partida[2], abertos[2], fim[2];
    ASSERT_EQ(pipe(partida), 0);
    ASSERT_EQ(pipe(abertos), 0);
    ASSERT_EQ(pipe(fim), 0);
    pid_t filhos[kFilhos];
    for (pid_t& filho : filhos) {
        filho = fork();
        ASSERT_GE(filho, 0);
        if (filho == 0) {
            close(partida[1]);
            close(abertos[0]);
            close(fim[1]);
            char c;
            if (read(partida[0], &c, 1) != 0) _exit(1);
            clMapeamento m;
            if (!m.Abrir("Moriel_teste", arquivo_, kTam)) _exit(2);
            auto* p = static_cast<unsigned char*>(m.Vista());
            int codigo = 20;
            if (m.Novo()) {
                for (std::size_t i = 0; i < kTam; ++i) p[i] = static_cast<unsigned char>(i % 251);
                usleep(200000);
                m.Publicar();
                codigo = 10;
            } else {
                for (std::size_t i = 0; i < kTam; ++i)
                    if (p[i] != static_cast<unsigned char>(i % 251)) _exit(3);
            }
            if (write(abertos[1], "x", 1) != 1) _exit(4);
            if (read(fim[0], &c, 1) != 0) _exit(5);  // still holding it while the others open
            _exit(codigo);
        }
    }
    close(partida[0]);
    close(abertos[1]);
    close(fim[0]);
    close(partida[1]);  // all start together
    char recebido[kFilhos];
    std::size_t lidos = 0;
    while (lidos < kFilhos) {
        const ssize_t n = read(abertos[0], recebido + lidos, kFilhos - lidos);
        if (n <= 0) break;
        lidos += static_cast<std::size_t>(n);
    }
    close(abertos[0]);
    close(fim[1]);  // now they may end
    int decodificaram = 0, usaram = 0;
    for (pid_t filho : filhos) {
        int estado = 0;
        waitpid(filho, &estado, 0);
        ASSERT_TRUE(WIFEXITED(estado));
        if (WEXITSTATUS(estado) == 10) ++decodificaram;
        else if (WEXITSTATUS(estado) == 20) ++usaram;
        else ADD_FAILURE() << "filho terminou com " << WEXITSTATUS(estado);
    }
    EXPECT_EQ(decodificaram, 1);
    EXPECT_EQ(usaram, kFilhos - 1);

    // They all ended without closing; the content stays usable, and the
    // next last user removes it.
    clMapeamento m;
    ASSERT_TRUE(m.Abrir("Moriel_teste", arquivo_, kTam));
    EXPECT_FALSE(m.Novo());
    const std::string nome = m.NomeObjeto();
    m.Fechar();
    EXPECT_FALSE(Existe(nome));
}

TEST_F(MemoriaCompartilhada, NovaVersaoDoArquivoGanhaObjetoNovoEAsVelhasSaem)
{
    Gravar(arquivo_, "versao 1", 111);
    clMapeamento velho;
    ASSERT_TRUE(velho.Abrir("Moriel_teste", arquivo_, 64));
    std::memset(velho.Vista(), 1, 64);
    velho.Publicar();

    // Recompiled with the same size, only the nanoseconds of its time differ.
    Gravar(arquivo_, "versao 2", 222);
    clMapeamento novo;
    ASSERT_TRUE(novo.Abrir("Moriel_teste", arquivo_, 64));
    EXPECT_TRUE(novo.Novo());
    EXPECT_NE(novo.NomeObjeto(), velho.NomeObjeto());
    EXPECT_FALSE(Existe(velho.NomeObjeto()));
    // Whoever still maps the old version keeps its view.
    EXPECT_EQ(static_cast<unsigned char*>(velho.Vista())[63], 1);
    novo.Publicar();
    EXPECT_TRUE(Existe(novo.NomeObjeto()));
    velho.Fechar();
    EXPECT_TRUE(Existe(novo.NomeObjeto()));
}

TEST_F(MemoriaCompartilhada, ObjetoVelhoAbandonadoERemovidoNaAbertura)
{
    Gravar(arquivo_, "versao 1", 111);
    std::string nomeVelho;
    const pid_t filho = fork();
    ASSERT_GE(filho, 0);
    if (filho == 0) {
        clMapeamento m;
        if (!m.Abrir("Moriel_teste", arquivo_, 64)) _exit(1);
        m.Publicar();
        _exit(0);  // leaves a published object behind
    }
    int estado = 0;
    waitpid(filho, &estado, 0);
    {
        clMapeamento m;
        ASSERT_TRUE(m.Abrir("Moriel_teste", arquivo_, 64));
        EXPECT_FALSE(m.Novo());
        nomeVelho = m.NomeObjeto();
        // Another process keeps it, so closing does not remove it here.
        const pid_t segurando = fork();
        if (segurando == 0) {
            clMapeamento outro;
            if (!outro.Abrir("Moriel_teste", arquivo_, 64)) _exit(1);
            usleep(300000);
            _exit(0);
        }
        usleep(100000);
        m.Fechar();
        EXPECT_TRUE(Existe(nomeVelho));
        waitpid(segurando, &estado, 0);
    }
    // Left behind by processes that are gone. (Any other process of this
    // user that opens a mapping meanwhile, such as a test running beside
    // this one, may already have swept it away; either way it must be gone
    // once the file has changed and is opened again.)
    Gravar(arquivo_, "versao 2", 222);
    clMapeamento m;
    ASSERT_TRUE(m.Abrir("Moriel_teste", arquivo_, 64));
    EXPECT_FALSE(Existe(nomeVelho));
}

// A process that died holding the only view of a file's object leaves it
// behind; the next opening of any file removes it, but nothing in use.
TEST_F(MemoriaCompartilhada, ObjetosSemUsuarioDeOutrosArquivosSaem)
{
    const std::string outro = pasta_ + "/outro.dic";
    Gravar(outro, "x");
    int canal[2];
    ASSERT_EQ(pipe(canal), 0);
    const pid_t filho = fork();
    ASSERT_GE(filho, 0);
    if (filho == 0) {
        clMapeamento m;
        if (!m.Abrir("Moriel_orfao", outro, 32)) _exit(1);
        m.Publicar();
        if (write(canal[1], m.NomeObjeto().c_str(), m.NomeObjeto().size()) <= 0) _exit(2);
        _exit(0);
    }
    close(canal[1]);
    char nome[256] = {};
    ASSERT_GT(read(canal[0], nome, sizeof nome - 1), 0);
    close(canal[0]);
    int estado = 0;
    waitpid(filho, &estado, 0);
    ASSERT_TRUE(Existe(nome));

    clMapeamento emUso;
    ASSERT_TRUE(emUso.Abrir("Moriel_uso", arquivo_, 32));
    emUso.Publicar();
    EXPECT_FALSE(Existe(nome));

    clMapeamento outroUso;
    ASSERT_TRUE(outroUso.Abrir("Moriel_x", outro, 32));
    EXPECT_TRUE(Existe(emUso.NomeObjeto()));
}

TEST_F(MemoriaCompartilhada, InstalacoesDiferentesNuncaDividemObjeto)
{
    const std::string outro = pasta_ + "/outro.dic";
    Gravar(outro, "versao 1");
    clMapeamento a, b;
    ASSERT_TRUE(a.Abrir("Moriel_ip", arquivo_, 64));
    a.Publicar();
    ASSERT_TRUE(b.Abrir("Moriel_ip", outro, 64));
    EXPECT_TRUE(b.Novo());
    EXPECT_NE(a.NomeObjeto(), b.NomeObjeto());
    b.Publicar();
}

TEST_F(MemoriaCompartilhada, NomesEstranhosEArquivoAusente)
{
    clMapeamento m;
    ASSERT_TRUE(m.Abrir("Moriel_../a/b c", arquivo_, 16));
    EXPECT_EQ(m.NomeObjeto().find('/', 1), std::string::npos);
    m.Fechar();
    EXPECT_FALSE(m.Abrir("Moriel_x", pasta_ + "/nao_existe.dic", 16));
    EXPECT_EQ(m.UltimoErro(), ENOENT);
    EXPECT_EQ(m.Vista(), nullptr);
}

} // namespace
