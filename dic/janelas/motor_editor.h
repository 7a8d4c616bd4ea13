// The engine as the editor uses it: loaded once at start from the
// installation folder, both exports bound, only the conjugator called.
#pragma once

#include <cstdint>
#include <string>

using FuncConjugar = void (*)(char* texto, std::uint32_t tempo, std::uint32_t pessoa);

struct MotorEditor {
    void* biblioteca = nullptr;
    void* vertal = nullptr;
    FuncConjugar conjugar = nullptr;
};

// Loads "libmoriel32.so" from `pasta`. On failure `erro` holds the message
// to show (Windows-1252) and the library is not kept loaded.
bool CarregarMotor(const std::string& pasta, MotorEditor& motor, std::string& erro);
