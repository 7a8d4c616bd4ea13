#!/bin/sh
# Every HTML page under /usr/share/doc and the fixed pages in tests/dados/html
# through vertal --html: libxml2's HTML parser must find no more errors in
# the translation than in the page itself. Prints one line per page that got
# worse and a summary; exits 1 when any did.
# Usage: corpus_html.sh VERTAL DADOS [PASTA...]
set -u
vertal=$1
dados=$2
shift 2
[ $# -gt 0 ] || set -- /usr/share/doc
if ! command -v xmllint >/dev/null 2>&1; then
    echo "xmllint (libxml2-utils) not installed: skipped"
    exit 77
fi
trabalho=$(mktemp -d "${TMPDIR:-/tmp}/corpus_html.XXXXXX") || exit 1
trap 'rm -rf "$trabalho"' EXIT
registro="$trabalho/registro"
mkdir -p "$registro"

erros() {
    # From memory: read in blocks, the parser reports false errors where a
    # block boundary falls inside a long attribute.
    xmllint --html --memory --noout "$1" 2>&1 | grep -c "parser error"
}

{ find "$@" -type f \( -name '*.html' -o -name '*.htm' \) 2>/dev/null; ls "$dados"/html/*.html; } | sort -u >"$trabalho/lista"
paginas=0
piores=0
antes=0
depois=0
falhas=0
while IFS= read -r pagina; do
    paginas=$((paginas + 1))
    if ! QUILLANE_REGISTRO="$registro" timeout 60 "$vertal" --html "$pagina" "$trabalho/saida.html" 2>"$trabalho/erros"; then
        echo "FALHOU: $pagina: $(head -c 300 "$trabalho/erros")"
        falhas=$((falhas + 1))
        continue
    fi
    a=$(erros "$pagina")
    d=$(erros "$trabalho/saida.html")
    antes=$((antes + a))
    depois=$((depois + d))
    if [ "$d" -gt "$a" ]; then
        piores=$((piores + 1))
        echo "PIOR: $pagina: $a -> $d erros"
    fi
done <"$trabalho/lista"
echo "paginas: $paginas; erros antes: $antes, depois: $depois; paginas piores: $piores; falhas: $falhas"
[ "$piores" -eq 0 ] && [ "$falhas" -eq 0 ]
