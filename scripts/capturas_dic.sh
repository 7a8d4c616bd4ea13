#!/bin/bash
# Draws the pictures of the dictionary editor's help page
# (docs/ajuda/imagens) from the window itself, on a virtual X display.
#   scripts/capturas_dic.sh [BUILD_FOLDER]
set -euo pipefail
RAIZ="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD="${1:-$RAIZ/build}"
ninja -C "$BUILD" capturas_dic | grep -v "^\[" || true

# A display of our own: the first number without a server.
NUMERO=90
while [ -e "/tmp/.X$NUMERO-lock" ] || [ -e "/tmp/.X11-unix/X$NUMERO" ]; do NUMERO=$((NUMERO + 1)); done
Xvfb ":$NUMERO" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
XVFB_PID=$!
trap 'kill "$XVFB_PID" 2>/dev/null || true; wait "$XVFB_PID" 2>/dev/null || true' EXIT
for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X$NUMERO" ] && break; sleep 0.1; done
export DISPLAY=":$NUMERO"
QT_QPA_PLATFORM=xcb "$BUILD/dic/capturas_dic" "$RAIZ/docs/ajuda/imagens"
