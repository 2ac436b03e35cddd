#!/usr/bin/env bash
# Loopback throughput of the score service, in one run: nginx serving a teacher's record (50
# classes x 50 students) as a static file (the ceiling), record.php for the same record, and
# 200-line uploads to index.php by 1, 4 and 16 clients, each uploading for a teacher of its own,
# with the service's CPU time per read and per upload; on SQLite and, where its server programs
# are installed, on a throwaway PostgreSQL cluster. Every load targets 127.0.0.1 only, for a
# bounded duration.
#   bench/service_bench.sh [build-dir] [seconds-per-run] [other-ordalis-service]
# An other ordalis-service (an earlier build, say) is measured in the same run, beside.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${1:-$root/build}"
seconds="${2:-10}"
services=("$build/ordalis-service")
[ -n "${3:-}" ] && services+=("$3")
teachers=16

[ -x "${services[0]}" ] || cmake --build "$build" --target ordalis-service

service_pid=""
source "$root/bench/service_load.sh"
stop_service() {
    [ -n "$service_pid" ] && kill "$service_pid" 2>/dev/null && wait "$service_pid" 2>/dev/null
    service_pid=""
}
cleanup() {
    stop_service || true
    [ -f "$work/nginx.pid" ] && kill "$(cat "$work/nginx.pid")" 2>/dev/null || true
    stop_postgres
    rm -rf "$work"
}
trap cleanup EXIT

start_service() { # binary database
    "$1" --listen 127.0.0.1:0 --database "$2" >"$work/service.out" 2>"$work/service.err" &
    service_pid=$!
    for _ in $(seq 100); do grep -q Listening "$work/service.out" && break; sleep 0.1; done
    base="$(sed -n 's/^Listening on //p' "$work/service.out")"
    [ -n "$base" ] || { cat "$work/service.err" >&2; exit 1; }
}

service_cpu() { cpu_seconds "$service_pid"; }

uploads() { # key-prefix service-index clients
    local before after
    before=$(service_cpu)
    ORDALIS_BODY_DIR="$work/bodies" measure "$1 $3 $2" -t"$3" -c"$3" -d"${seconds}s" --latency \
        -s "$root/bench/service_upload.lua" "$base/index.php"
    after=$(service_cpu)
    results["$1 cpu$3 $2"]="$(awk -v a="$after" -v b="$before" -v n="$requests" 'BEGIN { printf "%.2f", (a - b) * 1000 / n }')"
}

nginx_ready=""
start_nginx() {
    mkdir -p "$work/www"
    cp "$1" "$work/www/record.dmd"
    chmod 755 "$work/www" && chmod 644 "$work/www/record.dmd"
    nginx_port=$(((RANDOM % 20000) + 20000))
    cat >"$work/nginx.conf" <<CONF
worker_processes 2;
pid $work/nginx.pid;
error_log $work/nginx.err;
events { worker_connections 1024; }
http {
    access_log off;
    sendfile on;
    client_body_temp_path $work/ngx_body;
    proxy_temp_path $work/ngx_proxy;
    fastcgi_temp_path $work/ngx_fastcgi;
    uwsgi_temp_path $work/ngx_uwsgi;
    scgi_temp_path $work/ngx_scgi;
    server {
        listen 127.0.0.1:$nginx_port;
        root $work/www;
        default_type text/plain;
    }
}
CONF
    nginx -c "$work/nginx.conf" -p "$work"
    for _ in $(seq 50); do curl -sf -o /dev/null "http://127.0.0.1:$nginx_port/record.dmd" && break; sleep 0.1; done
    cmp -s "$work/www/record.dmd" <(curl -s "http://127.0.0.1:$nginx_port/record.dmd") || { echo "nginx serves other bytes" >&2; exit 1; }
    nginx_ready=1
}

databases=(sqlite)
start_postgres && databases+=(postgresql)

run=0
for database in "${databases[@]}"; do
    for index in "${!services[@]}"; do
        run=$((run + 1))
        if [ "$database" = sqlite ]; then
            location="$work/bench$run.sqlite"
        else
            create_database "bench$run"
            location="postgresql://postgres@127.0.0.1:$pg_port/bench$run"
        fi
        start_service "${services[$index]}" "$location"
        setup_teachers
        record_url="$base/record.php?t=bench1&mp=$(printf bench-login | md5sum | cut -c1-32)"
        curl -s -o "$work/record.dmd" "$record_url"
        if [ -z "$nginx_ready" ]; then
            start_nginx "$work/record.dmd"
            record_bytes=$(stat -c %s "$work/record.dmd")
            record_lines=$(grep -c $'\r$' "$work/record.dmd")
            measure "nginx 0" -t2 -c32 -d"${seconds}s" --latency "http://127.0.0.1:$nginx_port/record.dmd"
        fi
        cmp -s "$work/record.dmd" "$work/www/record.dmd" || { echo "record.php gives other bytes" >&2; exit 1; }
        before=$(service_cpu)
        measure "$database-record $index" -t2 -c32 -d"${seconds}s" --latency "$record_url"
        results["$database-record cpu $index"]="$(awk -v a="$(service_cpu)" -v b="$before" -v n="$requests" 'BEGIN { printf "%.1f", (a - b) * 1000000 / n }')"
        for clients in 1 4 16; do uploads "$database-upload" "$index" "$clients"; done
        stop_service
    done
done

# One line per figure, one column per service, and the ratio of the first to the other.
echo "record: $record_bytes bytes, $record_lines lines; $seconds s per run, loopback only; $(nproc) processors"
for index in "${!services[@]}"; do echo "service $((index + 1)): ${services[$index]}"; done
printf '%-44s' ""
for index in "${!services[@]}"; do printf '%24s' "service $((index + 1))"; done
[ ${#services[@]} -gt 1 ] && printf '%10s' "1 / 2"
echo
row() { # label key unit
    printf '%-44s' "$1"
    local first="" value
    for index in "${!services[@]}"; do
        value="${results[$2 $index]:-}"
        printf '%24s' "${value:--} $3"
        [ -z "$first" ] && first="${value%% *}"
    done
    if [ ${#services[@]} -gt 1 ]; then
        local other="${results[$2 1]:-}"
        [ -n "$other" ] && printf '%10s' "$(awk -v a="$first" -v b="${other%% *}" 'BEGIN { if (b > 0) printf "%.2f", a / b }')"
    fi
    echo
}
echo "(requests/s and median latency; service CPU time in us per read, in ms per upload)"
printf '%-44s%24s\n' "nginx, the record as a static file" "${results[nginx 0]} "
for database in "${databases[@]}"; do
    row "record.php, $database" "$database-record" ""
    row "  service CPU per read" "$database-record cpu" "us"
    for clients in 1 4 16; do
        row "index.php 200 lines, $database, $clients client(s)" "$database-upload $clients" ""
        row "  service CPU per upload" "$database-upload cpu$clients" "ms"
    done
done
