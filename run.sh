#!/usr/bin/env bash
# Builds the suite and shows it at work on the documents in samples/.
set -euo pipefail
source "$(dirname "$0")/scripts/comum.sh"

instalar_pacotes "${PACOTES_BASE[@]}"
BUILD="$RAIZ/build"
configurar_e_compilar "$BUILD" -DCMAKE_BUILD_TYPE=Release -DQUILLANE_BUILD_TESTS=OFF

for fonte in "$RAIZ"/samples/*.lex; do
    [ -e "$fonte" ] || continue
    destino="$BUILD/samples/$(basename "${fonte%.lex}").udc"
    mkdir -p "$BUILD/samples"
    echo "== $(basename "$fonte")"
    cat "$fonte"
    "$BUILD/dic/dic" --compilar "$fonte" "$destino"
    echo "-> $destino ($(stat -c %s "$destino") bytes)"
    python3 "$RAIZ/tools/ler_dicionario.py" "$destino"
done
