#!/usr/bin/env bash
# Builds and runs every test: as is, under AddressSanitizer and
# UndefinedBehaviorSanitizer, and the fuzzers for a short while.
# FUZZ_SEGUNDOS sets how long each fuzzer runs (default 60; 0 skips them).
set -uo pipefail
source "$(dirname "$0")/scripts/comum.sh"

instalar_pacotes "${PACOTES_BASE[@]}" "${PACOTES_TESTE[@]}" || exit 1
FUZZ_SEGUNDOS="${FUZZ_SEGUNDOS:-60}"
export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1:strict_string_checks=1}"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}"
export QUILLANE_REGISTRO="$RAIZ/build-testes-registro"

falhas=0
aprovados=0
reprovados=0

rodar_ctest() {
    local nome="$1" pasta="$2"; shift 2
    echo "== Testes ($nome)"
    local saida
    saida=$(ctest --test-dir "$pasta" --output-on-failure -j "$JOBS" "$@" 2>&1)
    local rc=$?
    echo "$saida" | grep -E 'tests passed|tests failed|Failed|\*\*\*' || true
    if [ $rc -ne 0 ]; then
        falhas=1
        # The failed tests again, alone, with their whole output.
        ctest --test-dir "$pasta" --rerun-failed --output-on-failure 2>&1 | tail -120
    fi
    local linha
    linha=$(echo "$saida" | grep -E '[0-9]+% tests passed' | tail -1)
    local total falhou
    total=$(echo "$linha" | sed -E 's/.*out of ([0-9]+).*/\1/')
    falhou=$(echo "$linha" | sed -E 's/.* ([0-9]+) tests failed.*/\1/')
    if [[ "$total" =~ ^[0-9]+$ && "$falhou" =~ ^[0-9]+$ ]]; then
        aprovados=$((aprovados + total - falhou))
        reprovados=$((reprovados + falhou))
    elif [ $rc -ne 0 ]; then
        reprovados=$((reprovados + 1))
    fi
}

echo "== Compilando (normal)"
configurar_e_compilar "$RAIZ/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUILLANE_WERROR=ON || falhas=1
rodar_ctest "normal" "$RAIZ/build"

# The Debian package, from the normal build: built, checked by lintian and
# run from a temporary root; never installed on this machine.
echo "== Pacote Debian"
if "$RAIZ/scripts/verificar_pacote.sh" "$RAIZ/build"; then
    aprovados=$((aprovados + 1))
else
    reprovados=$((reprovados + 1))
    falhas=1
fi

echo "== Compilando (AddressSanitizer + UndefinedBehaviorSanitizer)"
configurar_e_compilar "$RAIZ/build-asan" -DCMAKE_BUILD_TYPE=Debug -DQUILLANE_WERROR=ON \
    -DQUILLANE_SANITIZE=address,undefined || falhas=1
rodar_ctest "ASan+UBSan" "$RAIZ/build-asan"

echo "== Compilando (ThreadSanitizer, testes de concorrência)"
TSAN="$RAIZ/build-tsan"
if { [ -f "$TSAN/build.ninja" ] || cmake -S "$RAIZ" -B "$TSAN" -G Ninja -DCMAKE_BUILD_TYPE=Debug \
        -DQUILLANE_WERROR=ON -DQUILLANE_SANITIZE=thread >/dev/null; } &&
   cmake --build "$TSAN" -j "$JOBS" --target motor_concorrencia_testes > "$TSAN/compilacao.log" 2>&1; then
    echo "== Testes (TSan)"
    if TSAN_OPTIONS="halt_on_error=1:second_deadlock_stack=1" \
        "$TSAN/engine/motor_concorrencia_testes" > "$TSAN/testes.log" 2>&1; then
        n=$(grep -oE '\[  PASSED  \] [0-9]+' "$TSAN/testes.log" | grep -oE '[0-9]+$')
        echo "   ${n:-0} testes de concorrência passaram"
        aprovados=$((aprovados + ${n:-0}))
    else
        tail -60 "$TSAN/testes.log"
        reprovados=$((reprovados + 1))
        falhas=1
    fi
else
    grep -v '^\[' "$TSAN/compilacao.log" 2>/dev/null | tail -40
    reprovados=$((reprovados + 1))
    falhas=1
fi

if [ "$FUZZ_SEGUNDOS" -gt 0 ]; then
    echo "== Compilando os fuzzers (clang, libFuzzer)"
    if configurar_e_compilar "$RAIZ/build-fuzz" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ -DQUILLANE_BUILD_TESTS=OFF \
        -DQUILLANE_BUILD_FUZZ=ON -DQUILLANE_SANITIZE=address,undefined; then
        # The document fuzzers run the whole engine on the build's data.
        export QUILLANE_DADOS_DIR="$RAIZ/build-fuzz/quillane" QUILLANE_FUZZ_DADOS="$RAIZ/build-fuzz/quillane"
        for alvo in "$RAIZ"/build-fuzz/fuzz/fuzz_*; do
            [ -x "$alvo" ] || continue
            nome=$(basename "$alvo")
            corpus="$RAIZ/build-fuzz/corpus/$nome"
            mkdir -p "$corpus"
            case "$nome" in
                fuzz_compilador) sementes="$RAIZ/tests/dados/fuzz_lex" ;;
                fuzz_dicionario) sementes="$RAIZ/tests/dados/fuzz_dic" ;;
                fuzz_verbos) sementes="$RAIZ/tests/dados/fuzz_vip" ;;
                fuzz_html) sementes="$RAIZ/tests/dados/fuzz_html" ;;
                fuzz_rtf) sementes="$RAIZ/tests/dados/fuzz_rtf" ;;
                *) sementes="$RAIZ/tests/dados/$nome" ;;
            esac
            echo "== Fuzzing $nome por ${FUZZ_SEGUNDOS}s"
            if "$alvo" -max_total_time="$FUZZ_SEGUNDOS" -timeout=10 -rss_limit_mb=2048 \
                -artifact_prefix="$RAIZ/build-fuzz/" "$corpus" $( [ -d "$sementes" ] && echo "$sementes" ) \
                > "$RAIZ/build-fuzz/$nome.log" 2>&1; then
                echo "   $(grep -E '^Done|^#[0-9]+.*DONE' "$RAIZ/build-fuzz/$nome.log" | tail -1)"
                aprovados=$((aprovados + 1))
            else
                tail -40 "$RAIZ/build-fuzz/$nome.log"
                echo "   $nome: FALHOU"
                reprovados=$((reprovados + 1))
                falhas=1
            fi
        done
    else
        falhas=1
        reprovados=$((reprovados + 1))
    fi
fi

echo
echo "Resumo: $aprovados passed, $reprovados failed"
exit $falhas
