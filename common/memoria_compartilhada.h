// Named shared memory that outlives no file: the platform layer's stand-in for
// a paging-file-backed named mapping.
//
// A POSIX shared-memory object, unlike a Windows mapping, stays until it is
// removed. So each object is named after the mapping name plus the identity
// of the file it was decoded from (path, size, modification time) and the
// user: a recompiled file gets a new object, the next process decodes it, and
// objects left behind for an older version of the same file are removed
// (processes that still map them keep their view). Like a Windows mapping,
// an object is also removed when its last user closes it, and an object that
// no process holds any more (its users died) is removed by the next opening
// of any mapping, so objects of files that were deleted or moved do not stay
// behind.
//
// Every process that holds a view keeps a shared flock on the object; a child
// created by fork() shares those locks with its parent and must leave the
// inherited clMapeamento alone (end with _exit or exec).
#pragma once

#include <cstddef>
#include <string>

class clMapeamento {
public:
    clMapeamento() = default;
    ~clMapeamento();
    clMapeamento(const clMapeamento&) = delete;
    clMapeamento& operator=(const clMapeamento&) = delete;

    // Opens the mapping `nome` (for example "Moriel_ip") of `tamanho` bytes
    // for the data file at `arquivo`. When no finished object exists yet the
    // caller gets a new, zero-filled one (Novo() is true) and must fill it and
    // call Publicar(); until then other processes that open it wait. Returns
    // false on failure; UltimoErro() then holds errno.
    bool Abrir(const std::string& nome, const std::string& arquivo, std::size_t tamanho);

    // Marks a new mapping as filled, so other processes use it as it is.
    // A published view is read-only, in this process as in the others.
    void Publicar();

    // Unmaps the view. A new mapping that was never published is removed.
    void Fechar();

    void* Vista() const { return vista_; }
    std::size_t Tamanho() const { return tamanho_; }
    bool Novo() const { return novo_; }
    int UltimoErro() const { return erro_; }
    // The object's system name (for tests and diagnostics).
    const std::string& NomeObjeto() const { return nomeObjeto_; }

private:
    void* vista_ = nullptr;
    std::size_t tamanho_ = 0;
    std::size_t tamanhoMapa_ = 0;
    bool novo_ = false;
    int erro_ = 0;
    int trava_ = -1;      // per-file lock, held from a new object's creation until Publicar()
    int descritor_ = -1;  // the object, kept open for its shared "in use" lock
    std::string nomeObjeto_;
};
