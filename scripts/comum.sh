# Shared by run.sh and test.sh: installs what is missing, then configures and
# builds one build folder. Sourced, not run.

RAIZ="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
JOBS="${JOBS:-$(nproc 2>/dev/null || echo 2)}"

# Installs the Debian packages in "$@" that are not installed yet.
instalar_pacotes() {
    local faltam=()
    for p in "$@"; do
        [[ "$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null)" == *"install ok installed"* ]] || faltam+=("$p")
    done
    [ ${#faltam[@]} -eq 0 ] && return 0
    if [ "$(id -u)" -eq 0 ] && command -v apt-get >/dev/null; then
        echo "== Instalando pacotes: ${faltam[*]}"
        export DEBIAN_FRONTEND=noninteractive
        if ! apt-get install -y -q --no-install-recommends "${faltam[@]}" >/dev/null; then
            apt-get update -q >/dev/null
            apt-get install -y -q --no-install-recommends "${faltam[@]}" >/dev/null || return 1
        fi
    else
        echo "Faltam pacotes do Debian: ${faltam[*]}" >&2
        echo "Instale-os com: sudo apt-get install ${faltam[*]}" >&2
        return 1
    fi
}

PACOTES_BASE=(cmake ninja-build g++ pkg-config python3 libcurl4-openssl-dev qt6-base-dev qt6-websockets-dev)
PACOTES_TESTE=(googletest libgtest-dev libgmock-dev clang libclang-rt-14-dev llvm xvfb xclip xauth
    g++-multilib libxml2-utils lintian help2man man-db dpkg-dev fakeroot nginx-light openssl wrk chromium
    firefox-esr xdg-utils hunspell hunspell-pt-br)

# configurar_e_compilar PASTA [opções de cmake...]: configures once, then
# builds; the compiler's output is shown only when something fails.
configurar_e_compilar() {
    local pasta="$1"; shift
    if [ ! -f "$pasta/build.ninja" ]; then
        local lancador=()
        # ccache, when present, makes a rebuild in a fresh folder cheap.
        command -v ccache >/dev/null && lancador=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
        cmake -S "$RAIZ" -B "$pasta" -G Ninja "${lancador[@]}" "$@" >/dev/null || return 1
    fi
    mkdir -p "$pasta"
    if ! cmake --build "$pasta" -j "$JOBS" > "$pasta/compilacao.log" 2>&1; then
        grep -v '^\[' "$pasta/compilacao.log" | tail -60
        return 1
    fi
}
