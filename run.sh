#!/usr/bin/env bash
# Builds the suite and shows it at work: each document in samples/ is printed
# with its translation.
set -euo pipefail
source "$(dirname "$0")/scripts/comum.sh"

instalar_pacotes "${PACOTES_BASE[@]}"
BUILD="$RAIZ/build-release"
configurar_e_compilar "$BUILD" -DCMAKE_BUILD_TYPE=Release -DQUILLANE_BUILD_TESTS=OFF

# The settings of this machine are left alone: the engine finds its data
# beside the library in the build.
export QUILLANE_REGISTRO="$BUILD/registro-demonstracao"
VERTAL="$BUILD/tools/vertal/vertal"

for documento in "$RAIZ"/samples/*; do
    [ -f "$documento" ] || continue
    case "$documento" in
        *.html | *.htm) tipo=--html ;;
        *.rtf) tipo=--rtf ;;
        *) tipo=--texto ;;
    esac
    echo "==================== $(basename "$documento")"
    cat "$documento"
    echo "-------------------- tradução"
    "$VERTAL" "$tipo" --estatisticas "$documento"
done
