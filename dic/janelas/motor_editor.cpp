#include "motor_editor.h"

#include <dlfcn.h>

bool CarregarMotor(const std::string& pasta, MotorEditor& motor, std::string& erro)
{
    const std::string caminho = pasta + "/libmoriel32.so";
    void* b = ::dlopen(caminho.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!b) {
        const char* e = ::dlerror();
        erro = std::string("Erro: ") + (e ? e : "?") + "\n\nO arquivo libmoriel32.so n\xE3o pode ser carregado.";
        return false;
    }
    ::dlerror();
    void* vertal = ::dlsym(b, "VertalInglPort");
    void* conjugar = vertal ? ::dlsym(b, "ConjugarVerboPortugues") : nullptr;
    if (!vertal || !conjugar) {
        const char* e = ::dlerror();
        erro = std::string("Erro: ") + (e ? e : "?") +
               "\n\nO arquivo libmoriel32.so est\xE1 corrompido.\n\nReinstale o produto.";
        ::dlclose(b);
        return false;
    }
    motor.biblioteca = b;
    motor.vertal = vertal;
    motor.conjugar = reinterpret_cast<FuncConjugar>(conjugar);
    return true;
}
