#!/usr/bin/env bash
# Two sorvane processes behind nginx as the load balancer, on loopback, and
# wrk against the balancer (docs/SORVANE-MUITOS-USUARIOS.md).
#
#   bench/web/muitos_usuarios.sh [BUILD_FOLDER]      (DURACAO: seconds, default 10)
set -euo pipefail
RAIZ="$(cd "$(dirname "$0")/../.." && pwd)"
BUILD="${1:-$RAIZ/build}"
DURACAO="${DURACAO:-10}"
SORVANE="$BUILD/web/sorvane"
[ -x "$SORVANE" ] || { echo "falta $SORVANE" >&2; exit 1; }
T="$(mktemp -d)"
PIDS=()
limpar() { for p in "${PIDS[@]}"; do kill "$p" 2>/dev/null || true; done; wait 2>/dev/null || true; rm -rf "$T"; }
trap limpar EXIT
porta_livre() { python3 -c 'import socket; s=socket.socket(); s.bind(("127.0.0.1",0)); print(s.getsockname()[1])'; }
esperar_porta() { for _ in $(seq 100); do (exec 3<>"/dev/tcp/127.0.0.1/$1") 2>/dev/null && return 0; sleep 0.05; done; return 1; }

mkdir -p "$T/www" "$T/registro"
python3 "$RAIZ/bench/web/paginas.py" 20 > "$T/www/p20.html"
PW=$(porta_livre); PB=$(porta_livre); P1=$(porta_livre); P2=$(porta_livre)
cat > "$T/nginx.conf" <<CONF
daemon off; master_process off; pid $T/nginx.pid; error_log $T/error.log;
worker_rlimit_nofile 4096;
events { worker_connections 2048; }
http { access_log off; client_body_temp_path $T; proxy_temp_path $T; fastcgi_temp_path $T; uwsgi_temp_path $T; scgi_temp_path $T;
  types { text/html html; }
  # the pages
  server { listen 127.0.0.1:$PW; root $T/www; }
  # the balancer
  upstream sorvane { least_conn; server 127.0.0.1:$P1; server 127.0.0.1:$P2; }
  server {
    listen 127.0.0.1:$PB;
    location ~ ^/file: { return 403; }
    location / {
      proxy_pass http://sorvane;
      proxy_http_version 1.0;
      proxy_set_header Host \$http_host;
      proxy_buffering off;
      proxy_read_timeout 60s;
      proxy_next_upstream error timeout;
    }
  }
}
CONF
nginx -c "$T/nginx.conf" -p "$T" -e "$T/error.log" & PIDS+=($!)
for p in "$P1" "$P2"; do
    QUILLANE_REGISTRO="$T/registro" "$SORVANE" --sem-janela --porta "$p" --prefixo "http://127.0.0.1:$PB/" & PIDS+=($!)
done
for p in "$PW" "$PB" "$P1" "$P2"; do esperar_porta "$p"; done

URL="http://127.0.0.1:$PB/http://127.0.0.1:$PW/p20.html"
echo "== uma página pelo balanceador"
curl -s "$URL" | grep -o "href=\"http://127.0.0.1:$PB/[^\"]*\"" | head -2
curl -s -o /dev/null -w "file: pelo balanceador: %{http_code}\n" "http://127.0.0.1:$PB/file:///etc/hostname"
echo "== wrk, 64 conexões, ${DURACAO}s"
wrk -t2 -c64 -d"${DURACAO}s" --latency --timeout 30s "$URL" | grep -E 'Requests/sec|Latency|50%|90%|99%|errors|Socket|Non-2xx'
