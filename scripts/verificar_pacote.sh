#!/usr/bin/env bash
# Builds the Debian package from a configured build folder and checks it
# without installing it: lintian, the files it holds, and the programs run
# from the package unpacked into a temporary root with no settings at all.
#
#   scripts/verificar_pacote.sh BUILD
set -uo pipefail

RAIZ="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD="${1:?uso: verificar_pacote.sh PASTA_DE_COMPILACAO}"
falhas=0
falhar() { echo "pacote: $*" >&2; falhas=1; }

if ! cmake --build "$BUILD" --target package > "$BUILD/pacote.log" 2>&1; then
    tail -40 "$BUILD/pacote.log"
    falhar "a compilação do pacote falhou"
    exit 1
fi
versao=$(sed -n 's/^set(CPACK_PACKAGE_VERSION "\(.*\)")$/\1/p' "$BUILD/CPackConfig.cmake")
DEB="$BUILD/quillane_${versao}_$(dpkg --print-architecture).deb"
[ -f "$DEB" ] || { falhar "$DEB não foi gerado"; exit 1; }
echo "   $(basename "$DEB") ($(du -k "$DEB" | cut -f1) KiB)"

TMP=$(mktemp -d)
trap 'rm -rf "$TMP"' EXIT

# lintian: no errors; warnings and notes are shown.
lintian --fail-on error --info "$DEB" > "$TMP/lintian.txt" 2>&1
rc=$?
grep -v '^running with root privileges' "$TMP/lintian.txt" | sed 's/^/   lintian: /'
[ $rc -eq 0 ] || falhar "lintian encontrou erros"

# What the package must hold.
dpkg-deb -c "$DEB" | awk '{print $6}' | sed 's|^\./|/|; s|/$||' > "$TMP/conteudo.txt"
for f in /usr/bin/vertal /usr/bin/dic /usr/bin/sorvane /usr/bin/ardeno \
         /usr/lib/quillane/libmoriel32.so.0 /usr/lib/quillane/ip.dic /usr/lib/quillane/vip.dic \
         /usr/lib/quillane/dic /usr/include/quillane/moriel32.h \
         /usr/share/doc/quillane/copyright /usr/share/doc/quillane/changelog.gz \
         /usr/share/applications/quillane-dic.desktop /usr/share/applications/quillane-sorvane.desktop \
         /usr/share/icons/hicolor/scalable/apps/quillane-dic.svg \
         /usr/share/icons/hicolor/scalable/apps/quillane-sorvane.svg \
         /usr/share/quillane/ajuda/index.html; do
    grep -qx "$f" "$TMP/conteudo.txt" || falhar "falta $f"
done
# Outputs are read whole before matching: with pipefail, grep -q leaving early
# would fail the pipeline on the writer's SIGPIPE.
recomenda=$(dpkg-deb -f "$DEB" Recommends)
grep -q 'xclip | wl-clipboard' <<< "$recomenda" || falhar "sem Recommends xclip | wl-clipboard"

RAIZ_PACOTE="$TMP/raiz"
dpkg-deb -x "$DEB" "$RAIZ_PACOTE" || { falhar "dpkg-deb -x falhou"; exit 1; }
# No settings at all: an empty store and a home of its own.
ambiente=(env -i PATH=/usr/bin:/bin HOME="$TMP/casa" QUILLANE_REGISTRO="$TMP/registro" LANG=C.UTF-8)
BIN="$RAIZ_PACOTE/usr/bin"

# The engine comes from the unpacked tree, not from the build.
ligacoes=$(ldd "$BIN/vertal")
grep -qF "libmoriel32.so.0 => $RAIZ_PACOTE/usr/bin/../lib/quillane/" <<< "$ligacoes" ||
    falhar "vertal não acha libmoriel32.so ao lado de si: $(grep moriel <<< "$ligacoes")"
amostra="$RAIZ/samples/hello.txt"
if "${ambiente[@]}" "$BIN/vertal" "$amostra" > "$TMP/traducao.txt" 2> "$TMP/vertal.err"; then
    if [ ! -s "$TMP/traducao.txt" ] || cmp -s "$amostra" "$TMP/traducao.txt"; then
        falhar "vertal não traduziu $(basename "$amostra")"
    fi
else
    falhar "vertal falhou: $(cat "$TMP/vertal.err")"
fi
"${ambiente[@]}" "$BIN/vertal" --conjugar ser > "$TMP/ser.txt" 2>&1 && [ "$(head -1 "$TMP/ser.txt")" = "sou" ] ||
    falhar "vertal --conjugar ser: $(head -3 "$TMP/ser.txt")"

# dic compiles as the build's own copy does.
if "${ambiente[@]}" "$BIN/dic" --compilar "$RAIZ/tests/dados/dic_exemplo.lex" "$TMP/exemplo.udc" 2> "$TMP/dic.err" &&
   "$BUILD/dic/dic" --compilar "$RAIZ/tests/dados/dic_exemplo.lex" "$TMP/exemplo_build.udc" 2>/dev/null; then
    cmp -s "$TMP/exemplo.udc" "$TMP/exemplo_build.udc" || falhar "dic --compilar do pacote gerou outro arquivo"
else
    falhar "dic --compilar falhou: $(cat "$TMP/dic.err")"
fi

# The post-installation program, as the package runs it: quiet, status 0,
# and it writes no settings.
(cd "$RAIZ_PACOTE/usr/lib/quillane" && "${ambiente[@]}" "$BIN/ardeno" > "$TMP/ardeno.out" 2>&1) ||
    falhar "ardeno terminou com erro"
[ -s "$TMP/ardeno.out" ] && falhar "ardeno escreveu: $(cat "$TMP/ardeno.out")"
[ -e "$TMP/registro" ] && falhar "ardeno criou configurações"
sh -n "$RAIZ/pacote/postinst" || falhar "postinst com erro de sintaxe"

# Every manual page renders without a warning.
paginas=0
while IFS= read -r pagina; do
    paginas=$((paginas + 1))
    if ! LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -E UTF-8 -l "$pagina" > "$TMP/pagina.txt" 2> "$TMP/pagina.err" ||
       [ -s "$TMP/pagina.err" ] || ! grep -qE '^(NAME|NOME)$' "$TMP/pagina.txt"; then
        falhar "man -l ${pagina#"$RAIZ_PACOTE"}: $(head -5 "$TMP/pagina.err")"
    fi
done < <(find "$RAIZ_PACOTE/usr/share/man" -name '*.gz' | sort)
[ "$paginas" -eq 8 ] || falhar "esperadas 8 páginas de manual, há $paginas"

# Every option a program's --help names is in both of its manual pages.
for programa in vertal:1 dic:1 sorvane:1 ardeno:8; do
    nome=${programa%:*}
    secao=${programa#*:}
    opcoes=$("${ambiente[@]}" "$BIN/$nome" --help 2>&1 | grep -oE '(^|[][ (|,])--[a-z][a-z0-9-]*' | sed 's/^[^-]*//' | sort -u)
    for pagina in "$RAIZ_PACOTE/usr/share/man/man$secao/$nome.$secao.gz" \
                  "$RAIZ_PACOTE/usr/share/man/pt_BR/man$secao/$nome.$secao.gz"; do
        [ -f "$pagina" ] || continue
        texto=$(zcat "$pagina" | sed 's/\\-/-/g')
        for opcao in $opcoes; do
            grep -qE -- "$opcao([^a-z0-9-]|\$)" <<< "$texto" ||
                falhar "a opção $opcao de $nome falta em ${pagina#"$RAIZ_PACOTE"}"
        done
    done
done

[ $falhas -eq 0 ] && echo "   pacote verificado: lintian sem erros, $paginas páginas de manual, vertal, dic e ardeno do pacote"
exit $falhas
