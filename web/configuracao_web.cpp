#include "configuracao_web.h"

#include <QProcess>
#include <QStandardPaths>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <vector>

#include "registro.h"

namespace {

std::optional<int> LerInteiro(const clChaveRegistro& chave, const char* nome)
{
    const auto valor = chave.Ler(nome);
    if (!valor) return std::nullopt;
    if (valor->tipo == ValorRegistro::Tipo::Dword) return static_cast<std::int32_t>(valor->dword);
    char* fim = nullptr;
    const long n = std::strtol(valor->texto.c_str(), &fim, 10);
    if (valor->texto.empty() || *fim) return std::nullopt;
    return static_cast<int>(n);
}

std::string Ambiente(const char* nome)
{
    const char* v = std::getenv(nome);
    return v ? v : "";
}

std::vector<std::string> Dividir(const std::string& texto, char separador)
{
    std::vector<std::string> partes;
    std::string parte;
    std::istringstream s(texto);
    while (std::getline(s, parte, separador))
        if (!parte.empty()) partes.push_back(parte);
    return partes;
}

std::string Aparar(std::string t)
{
    while (!t.empty() && std::isspace(static_cast<unsigned char>(t.back()))) t.pop_back();
    std::size_t i = 0;
    while (i < t.size() && std::isspace(static_cast<unsigned char>(t[i]))) ++i;
    return t.substr(i);
}

// The first handler that one mimeapps.list names for text/html under
// [Default Applications].
std::string HandlerDoArquivo(const std::string& caminho)
{
    std::ifstream f(caminho);
    std::string linha;
    bool secao = false;
    while (std::getline(f, linha)) {
        linha = Aparar(linha);
        if (linha.empty() || linha[0] == '#') continue;
        if (linha[0] == '[') {
            secao = linha == "[Default Applications]";
            continue;
        }
        if (!secao) continue;
        const auto igual = linha.find('=');
        if (igual == std::string::npos || Aparar(linha.substr(0, igual)) != "text/html") continue;
        for (const std::string& h : Dividir(linha.substr(igual + 1), ';')) {
            const std::string nome = Aparar(h);
            if (!nome.empty()) return nome;
        }
    }
    return {};
}

} // namespace

bool LerConfiguracaoJanela(ConfiguracaoJanela* config)
{
    const auto chave = clChaveRegistro::Abrir(Colmeia::UsuarioAtual, kChaveWeb, false);
    if (!chave) return false;
    if (auto v = LerInteiro(*chave, "ConfBrowser")) config->confBrowser = *v != 0;
    if (auto v = LerInteiro(*chave, "Janela")) config->janela = *v;
    if (auto v = LerInteiro(*chave, "Top")) config->top = *v;
    if (auto v = LerInteiro(*chave, "Left")) config->left = *v;
    if (auto v = LerInteiro(*chave, "PortaNavegador"); v && *v > 0 && *v < 65536) config->portaNavegador = *v;
    if (auto v = chave->Ler("RegistroProxy"); v && v->tipo == ValorRegistro::Tipo::Texto)
        config->registroProxy = v->texto;
    return true;
}

bool GravarConfiguracaoJanela(const ConfiguracaoJanela& config)
{
    auto chave = clChaveRegistro::Abrir(Colmeia::UsuarioAtual, kChaveWeb, true);
    if (!chave) return false;
    bool ok = chave->GravarDword("ConfBrowser", config.confBrowser ? 1 : 0);
    ok = chave->GravarDword("Janela", static_cast<std::uint32_t>(config.janela)) && ok;
    if (config.top) ok = chave->GravarDword("Top", static_cast<std::uint32_t>(*config.top)) && ok;
    if (config.left) ok = chave->GravarDword("Left", static_cast<std::uint32_t>(*config.left)) && ok;
    ok = chave->GravarDword("PortaNavegador", static_cast<std::uint32_t>(config.portaNavegador)) && ok;
    return ok;
}

std::string HandlerHtmlDosArquivosMime()
{
    // The order of the freedesktop.org specification: the user's config,
    // the system's config, the user's data, the system's data; in each
    // folder the desktop's own list before the common one.
    const std::string home = Ambiente("HOME");
    std::string configCasa = Ambiente("XDG_CONFIG_HOME");
    if (configCasa.empty()) configCasa = home + "/.config";
    std::string dadosCasa = Ambiente("XDG_DATA_HOME");
    if (dadosCasa.empty()) dadosCasa = home + "/.local/share";
    std::string configSistema = Ambiente("XDG_CONFIG_DIRS");
    if (configSistema.empty()) configSistema = "/etc/xdg";
    std::string dadosSistema = Ambiente("XDG_DATA_DIRS");
    if (dadosSistema.empty()) dadosSistema = "/usr/local/share:/usr/share";

    std::vector<std::string> pastas{configCasa};
    for (const auto& p : Dividir(configSistema, ':')) pastas.push_back(p);
    pastas.push_back(dadosCasa + "/applications");
    for (const auto& p : Dividir(dadosSistema, ':')) pastas.push_back(p + "/applications");

    std::vector<std::string> areas;
    for (std::string d : Dividir(Ambiente("XDG_CURRENT_DESKTOP"), ':')) {
        std::transform(d.begin(), d.end(), d.begin(), [](unsigned char c) { return std::tolower(c); });
        areas.push_back(d);
    }
    for (const auto& pasta : pastas) {
        for (const auto& area : areas) {
            const std::string h = HandlerDoArquivo(pasta + "/" + area + "-mimeapps.list");
            if (!h.empty()) return h;
        }
        const std::string h = HandlerDoArquivo(pasta + "/mimeapps.list");
        if (!h.empty()) return h;
    }
    return {};
}

std::string HandlerPadraoHtml()
{
    if (!QStandardPaths::findExecutable(QStringLiteral("xdg-mime")).isEmpty()) {
        QProcess xdg;
        xdg.setProcessChannelMode(QProcess::SeparateChannels);
        xdg.setStandardInputFile(QProcess::nullDevice());
        xdg.start(QStringLiteral("xdg-mime"), {QStringLiteral("query"), QStringLiteral("default"), QStringLiteral("text/html")});
        if (xdg.waitForFinished(3000) && xdg.exitStatus() == QProcess::NormalExit && xdg.exitCode() == 0) {
            const std::string h = Aparar(xdg.readAllStandardOutput().toStdString());
            if (!h.empty()) return h.substr(0, h.find('\n'));
        } else if (xdg.state() != QProcess::NotRunning) {
            xdg.kill();
            xdg.waitForFinished(1000);
        }
    }
    return HandlerHtmlDosArquivosMime();
}

TipoNavegador NavegadorDoHandler(const std::string& handler)
{
    std::string minusculo = handler;
    std::transform(minusculo.begin(), minusculo.end(), minusculo.begin(),
                   [](unsigned char c) { return std::tolower(c); });
    return minusculo.find("firefox") != std::string::npos ? TipoNavegador::Firefox : TipoNavegador::Chromium;
}
