#!/usr/bin/env bash
# The proxy's figures: nginx serves a 20 KB and a 200 KB English page; wrk
# measures nginx directly and the page through sorvane at 1, 16 and 64
# connections; curl measures the time to the first byte; vertal translates
# the same pages so the proxy's own overhead shows; sorvane's memory is read
# before and after a long run.
#
#   bench/web/sorvane_bench.sh [BUILD_FOLDER]
#
# Environment: DURACAO (seconds per wrk run, default 10), PEDIDOS_MEMORIA
# (requests of the memory run, default 100000).
set -euo pipefail
RAIZ="$(cd "$(dirname "$0")/../.." && pwd)"
BUILD="${1:-$RAIZ/build}"
DURACAO="${DURACAO:-10}"
PEDIDOS_MEMORIA="${PEDIDOS_MEMORIA:-100000}"
SORVANE="$BUILD/web/sorvane"
VERTAL="$BUILD/tools/vertal/vertal"
for p in "$SORVANE" "$VERTAL"; do [ -x "$p" ] || { echo "falta $p (compile sorvane e vertal)" >&2; exit 1; }; done
command -v wrk >/dev/null && command -v nginx >/dev/null || { echo "instale wrk e nginx-light" >&2; exit 1; }

T="$(mktemp -d)"
PIDS=()
limpar() { for p in "${PIDS[@]}"; do kill "$p" 2>/dev/null || true; done; wait 2>/dev/null || true; rm -rf "$T"; }
trap limpar EXIT
porta_livre() { python3 -c 'import socket; s=socket.socket(); s.bind(("127.0.0.1",0)); print(s.getsockname()[1])'; }
esperar_porta() { for _ in $(seq 100); do (exec 3<>"/dev/tcp/127.0.0.1/$1") 2>/dev/null && return 0; sleep 0.05; done; return 1; }

mkdir -p "$T/www" "$T/registro"
python3 "$RAIZ/bench/web/paginas.py" 20 > "$T/www/p20.html"
python3 "$RAIZ/bench/web/paginas.py" 200 > "$T/www/p200.html"
PN=$(porta_livre); PS=$(porta_livre)
cat > "$T/nginx.conf" <<CONF
daemon off; master_process off; pid $T/nginx.pid; error_log $T/error.log;
worker_rlimit_nofile 4096;
events { worker_connections 2048; }
http { access_log off; client_body_temp_path $T; proxy_temp_path $T; fastcgi_temp_path $T; uwsgi_temp_path $T; scgi_temp_path $T;
  types { text/html html; }
  server { listen 127.0.0.1:$PN; root $T/www; } }
CONF
nginx -c "$T/nginx.conf" -p "$T" -e "$T/error.log" & PIDS+=($!)
QUILLANE_REGISTRO="$T/registro" "$SORVANE" --sem-janela --porta "$PS" & PIDS+=($!)
SPID=${PIDS[1]}
esperar_porta "$PN"; esperar_porta "$PS"

echo "== vertal: custo da tradução por página (melhor de 5, sobre 2 MB da mesma página)"
# Ten or a hundred copies of the page, so that the program's start counts little.
for _ in $(seq 10); do cat "$T/www/p200.html"; done > "$T/p200x10.html"
for _ in $(seq 100); do cat "$T/www/p20.html"; done > "$T/p20x100.html"
melhor() {
    local m=999999999 ini fim t
    for _ in 1 2 3 4 5; do
        ini=$(date +%s%N); QUILLANE_REGISTRO="$T/registro" "$VERTAL" --html < "$1" > /dev/null; fim=$(date +%s%N)
        t=$(( (fim - ini) / 1000 )); [ "$t" -lt "$m" ] && m=$t
    done
    echo "$m"
}
echo "p200: $(( $(melhor "$T/p200x10.html") / 10000 )) ms por página; p20: $(( $(melhor "$T/p20x100.html") / 100000 )) ms por página"
echo "(com $(nproc) núcleos, o teto do proxy é núcleos / custo por página)"

echo "== tempo até o primeiro byte pelo sorvane (curl, média de 20)"
for p in p20 p200; do
    python3 - "$PS" "$PN" "$p" <<'PY'
import subprocess, sys
ps, pn, p = sys.argv[1:]
url = f"http://127.0.0.1:{ps}/http://127.0.0.1:{pn}/{p}.html"
v = []
for _ in range(20):
    o = subprocess.run(["curl", "-s", "-o", "/dev/null", "-w", "%{time_starttransfer} %{time_total}", url], capture_output=True, text=True).stdout.split()
    v.append((float(o[0]), float(o[1])))
print(f"{p}: primeiro byte {1000*sum(a for a,_ in v)/len(v):.1f} ms, total {1000*sum(b for _,b in v)/len(v):.1f} ms")
PY
done

for p in p20 p200; do
    for c in 1 16 64; do
        t=$(( c < 2 ? 1 : 2 ))
        echo "== wrk $p, $c conexões: nginx direto"
        wrk -t"$t" -c"$c" -d"${DURACAO}s" --latency "http://127.0.0.1:$PN/$p.html" | grep -E 'Requests/sec|Latency|50%|90%|99%|errors|Socket|Non-2xx'
        echo "== wrk $p, $c conexões: pelo sorvane"
        wrk -t"$t" -c"$c" -d"${DURACAO}s" --latency --timeout 30s "http://127.0.0.1:$PS/http://127.0.0.1:$PN/$p.html" | grep -E 'Requests/sec|Latency|50%|90%|99%|errors|Socket|Non-2xx'
    done
done

echo "== memória do sorvane em $PEDIDOS_MEMORIA pedidos (página pequena)"
printf '<p>The house is big.</p>\n' > "$T/www/m.html"
rss() { awk '/VmRSS/ {print $2}' "/proc/$SPID/status"; }
python3 - "$PS" "$PN" 2000 <<'PY'
import socket, sys, concurrent.futures as cf
ps, pn, n = int(sys.argv[1]), sys.argv[2], int(sys.argv[3])
def um(_):
    s = socket.create_connection(("127.0.0.1", ps)); s.sendall(f"GET /http://127.0.0.1:{pn}/m.html HTTP/1.0\r\n\r\n".encode())
    while s.recv(65536): pass
    s.close()
with cf.ThreadPoolExecutor(16) as ex: list(ex.map(um, range(n)))
PY
antes=$(rss)
python3 - "$PS" "$PN" "$PEDIDOS_MEMORIA" <<'PY'
import socket, sys, concurrent.futures as cf
ps, pn, n = int(sys.argv[1]), sys.argv[2], int(sys.argv[3])
def um(_):
    s = socket.create_connection(("127.0.0.1", ps)); s.sendall(f"GET /http://127.0.0.1:{pn}/m.html HTTP/1.0\r\n\r\n".encode())
    while s.recv(65536): pass
    s.close()
with cf.ThreadPoolExecutor(16) as ex: list(ex.map(um, range(n)))
PY
depois=$(rss)
echo "RSS depois do aquecimento: ${antes} kB; depois de $PEDIDOS_MEMORIA pedidos: ${depois} kB"
