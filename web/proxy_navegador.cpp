#include "proxy_navegador.h"

#include <cstdlib>
#include <fstream>
#include <map>
#include <sstream>
#include <vector>

namespace {

std::string LerTudo(const std::string& caminho)
{
    std::ifstream f(caminho, std::ios::binary);
    if (!f) return {};
    std::ostringstream s;
    s << f.rdbuf();
    return s.str();
}

std::string Aparar(const std::string& s)
{
    const auto i = s.find_first_not_of(" \t\r\n");
    if (i == std::string::npos) return {};
    const auto f = s.find_last_not_of(" \t\r\n");
    return s.substr(i, f - i + 1);
}

// The sections of an ini text, each a map of its keys.
std::vector<std::pair<std::string, std::map<std::string, std::string>>> LerIni(const std::string& texto)
{
    std::vector<std::pair<std::string, std::map<std::string, std::string>>> secoes;
    std::istringstream in(texto);
    std::string linha;
    while (std::getline(in, linha)) {
        linha = Aparar(linha);
        if (linha.empty() || linha[0] == ';' || linha[0] == '#') continue;
        if (linha.front() == '[' && linha.back() == ']') {
            secoes.emplace_back(linha.substr(1, linha.size() - 2), std::map<std::string, std::string>{});
        } else if (const auto igual = linha.find('='); igual != std::string::npos && !secoes.empty()) {
            secoes.back().second[Aparar(linha.substr(0, igual))] = Aparar(linha.substr(igual + 1));
        }
    }
    return secoes;
}

} // namespace

ConfigProxy LerPrefsFirefox(const std::string& prefs)
{
    // user_pref("name", value);
    std::map<std::string, std::string> valores;
    std::istringstream in(prefs);
    std::string linha;
    while (std::getline(in, linha)) {
        const auto i = linha.find("user_pref(\"");
        if (i == std::string::npos) continue;
        const auto nomeInicio = i + 11;
        const auto nomeFim = linha.find('"', nomeInicio);
        if (nomeFim == std::string::npos) continue;
        const auto virgula = linha.find(',', nomeFim);
        const auto fecha = linha.rfind(')');
        if (virgula == std::string::npos || fecha == std::string::npos || fecha < virgula) continue;
        std::string valor = Aparar(linha.substr(virgula + 1, fecha - virgula - 1));
        if (valor.size() >= 2 && valor.front() == '"' && valor.back() == '"') valor = valor.substr(1, valor.size() - 2);
        valores[linha.substr(nomeInicio, nomeFim - nomeInicio)] = valor;
    }
    ConfigProxy c;
    auto valor = [&valores](const char* nome) {
        auto it = valores.find(nome);
        return it == valores.end() ? std::string() : it->second;
    };
    if (valor("network.proxy.type") != "1") return c;  // manual settings only
    auto servidor = [&](const char* host, const char* porta) {
        const std::string h = valor(host);
        if (h.empty()) return std::string();
        const std::string p = valor(porta);
        return h + ":" + (p.empty() || p == "0" ? "80" : p);
    };
    c.servidorHttp = servidor("network.proxy.http", "network.proxy.http_port");
    c.servidorHttps = servidor("network.proxy.ssl", "network.proxy.ssl_port");
    if (valor("network.proxy.share_proxy_settings") == "true" && c.servidorHttps.empty())
        c.servidorHttps = c.servidorHttp;
    c.usar = !c.servidorHttp.empty() || !c.servidorHttps.empty();
    // Firefox separates with commas or blanks; libcurl wants commas.
    std::string excecoes;
    for (char ch : valor("network.proxy.no_proxies_on")) excecoes += (ch == ' ' || ch == ';') ? ',' : ch;
    std::string limpo;
    std::istringstream partes(excecoes);
    std::string parte;
    while (std::getline(partes, parte, ',')) {
        if (parte.empty()) continue;
        if (!limpo.empty()) limpo += ',';
        limpo += parte;
    }
    c.excecoes = limpo;
    return c;
}

clProxyFirefox::clProxyFirefox(std::string pasta) : pasta_(std::move(pasta))
{
    if (pasta_.empty()) {
        const char* home = std::getenv("HOME");
        pasta_ = std::string(home ? home : "") + "/.mozilla/firefox";
    }
}

std::string clProxyFirefox::PerfilPadrao() const
{
    const auto secoes = LerIni(LerTudo(pasta_ + "/profiles.ini"));
    auto caminho = [this](const std::map<std::string, std::string>& s, bool relativoPadrao) {
        auto it = s.find("Path");
        if (it == s.end()) return std::string();
        auto rel = s.find("IsRelative");
        const bool relativo = rel == s.end() ? relativoPadrao : rel->second == "1";
        return relativo ? pasta_ + "/" + it->second : it->second;
    };
    // The installation's choice first, then the profile marked default.
    for (const auto& [nome, s] : secoes)
        if (nome.rfind("Install", 0) == 0 && s.count("Default") && !s.at("Default").empty()) {
            const std::string& d = s.at("Default");
            return d.front() == '/' ? d : pasta_ + "/" + d;
        }
    for (const auto& [nome, s] : secoes)
        if (nome.rfind("Profile", 0) == 0 && s.count("Default") && s.at("Default") == "1") return caminho(s, true);
    for (const auto& [nome, s] : secoes)
        if (nome.rfind("Profile", 0) == 0) return caminho(s, true);
    return {};
}

bool clProxyFirefox::ProxyNetscape(ConfigProxy* config)
{
    const std::string perfil = PerfilPadrao();
    if (perfil.empty()) return false;
    std::ifstream f(perfil + "/prefs.js");
    if (!f) return false;
    *config = LerPrefsFirefox(LerTudo(perfil + "/prefs.js"));
    return true;
}
