// The settings store: three hives of keys and values kept as text files in
// the registry export format, in place of the Windows registry.
//
// Each hive is a file named after it ("HKEY_LOCAL_MACHINE.reg", ...) in the
// folder named by QUILLANE_REGISTRO, or else $XDG_CONFIG_HOME/quillane
// (by default ~/.config/quillane). The files look like
//
//   REGEDIT4
//
//   [SOFTWARE\Brinmor\Quillane Beta]
//   "DirRoot"="/usr/lib/quillane"
//   "Contador"=dword:0000000a
//   @="default value"
//
// with text in Windows-1252. Key paths and value names compare without regard
// to letter case. Every write re-reads the hive under a lock and replaces the
// file atomically, so a crash never leaves half a hive and two programs
// writing different values do not undo each other.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

enum class Colmeia { MaquinaLocal, UsuarioAtual, ClassesRaiz };

// The installation's key.
inline constexpr const char* kChaveQuillane = "SOFTWARE\\Brinmor\\Quillane Beta";

struct ValorRegistro {
    enum class Tipo { Texto, Dword } tipo = Tipo::Texto;
    std::string texto;       // Tipo::Texto
    std::uint32_t dword = 0; // Tipo::Dword
};

// An open key. Reads see the hive as it is on disk at the time of the call.
class clChaveRegistro {
public:
    // Opens `caminho` in `colmeia`; with `criar`, creates it (and its file)
    // when missing. nullopt when the key does not exist (or cannot be created).
    static std::optional<clChaveRegistro> Abrir(Colmeia colmeia, const std::string& caminho, bool criar);

    // The value, or nullopt when missing. An empty name is the key's default value.
    std::optional<ValorRegistro> Ler(const std::string& nome) const;

    // Copies a text value into `buffer` (at most `tam` bytes with its NUL) and
    // returns true; `tamNecessario` receives the value's size with its NUL.
    // With a null buffer only the size is reported.
    bool LerTexto(const std::string& nome, char* buffer, std::size_t tam, std::size_t* tamNecessario = nullptr) const;

    bool GravarTexto(const std::string& nome, const std::string& texto);
    bool GravarDword(const std::string& nome, std::uint32_t valor);
    bool Excluir(const std::string& nome);
    // Names of the values in the order of the file.
    std::vector<std::string> Nomes() const;

    void Fechar() { aberta_ = false; }
    bool Aberta() const { return aberta_; }

private:
    clChaveRegistro(Colmeia colmeia, std::string caminho) : colmeia_(colmeia), caminho_(std::move(caminho)) {}
    bool Gravar(const std::string& nome, const ValorRegistro* valor);

    Colmeia colmeia_;
    std::string caminho_;
    bool aberta_ = true;
};

// Folder that holds the hive files.
std::string PastaRegistro();
// Full path of a hive's file.
std::string ArquivoColmeia(Colmeia colmeia);

// Parsing and writing of the hive format, exposed for tests and tools.
struct SecaoRegistro {
    std::string caminho;
    std::vector<std::pair<std::string, ValorRegistro>> valores;
};
std::vector<SecaoRegistro> LerFormatoRegistro(const std::string& conteudo);
std::string EscreverFormatoRegistro(const std::vector<SecaoRegistro>& secoes);
