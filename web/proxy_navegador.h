// Where the page fetches get their upstream proxy: the environment
// (http_proxy, https_proxy, no_proxy, read by libcurl itself) or the
// default Firefox profile's settings.
#pragma once

#include <memory>
#include <string>

struct ConfigProxy {
    bool usar = false;         // false: connect directly
    std::string servidorHttp;  // "host:port" for http addresses
    std::string servidorHttps; // "host:port" for https addresses
    std::string excecoes;      // hosts reached directly, comma-separated
};

// The browser's proxy settings.
class clConsultaProxy {
public:
    virtual ~clConsultaProxy() = default;
    // True when `config` holds the browser's settings.
    virtual bool ProxyNetscape(ConfigProxy* config) = 0;
};

// Reads the default profile of the Firefox folder `pasta` (the one with
// profiles.ini; empty: ~/.mozilla/firefox).
class clProxyFirefox : public clConsultaProxy {
public:
    explicit clProxyFirefox(std::string pasta);
    bool ProxyNetscape(ConfigProxy* config) override;

    // The default profile's folder, or empty.
    std::string PerfilPadrao() const;

private:
    std::string pasta_;
};

// Parses prefs.js text.
ConfigProxy LerPrefsFirefox(const std::string& prefs);
