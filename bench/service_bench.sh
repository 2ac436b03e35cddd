#!/usr/bin/env bash
# Loopback throughput of the score service, in one run: nginx serving a teacher's record (50
# classes x 50 students) as a static file (the ceiling), record.php for the same record, and
# 200-line uploads to index.php by 1, 4 and 16 clients, each uploading for a teacher of its own,
# with the service's CPU time per upload; on SQLite and, where its server programs are
# installed, on a throwaway PostgreSQL cluster. Every load targets 127.0.0.1 only, for a
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

for tool in wrk nginx curl iconv od; do
    command -v "$tool" >/dev/null || {
        echo "missing $tool (apt-get install -y wrk nginx-light curl)" >&2
        exit 1
    }
done
[ -x "${services[0]}" ] || cmake --build "$build" --target ordalis-service

work="$(mktemp -d)"
chmod 755 "$work" # nginx workers and the PostgreSQL server are not root
service_pid=""
pg_data=""
pg_bin="$(ls -d /usr/lib/postgresql/*/bin 2>/dev/null | sort -V | tail -1)"
as_postgres() { if [ "$(id -u)" = 0 ]; then runuser -u postgres -- "$@"; else "$@"; fi; }
stop_service() {
    [ -n "$service_pid" ] && kill "$service_pid" 2>/dev/null && wait "$service_pid" 2>/dev/null
    service_pid=""
}
cleanup() {
    stop_service || true
    [ -f "$work/nginx.pid" ] && kill "$(cat "$work/nginx.pid")" 2>/dev/null || true
    [ -n "$pg_data" ] && as_postgres "$pg_bin/pg_ctl" -D "$pg_data" -m immediate stop >/dev/null 2>&1 || true
    rm -rf "$work"
}
trap cleanup EXIT

# Each character of the text as %XX of its GBK bytes, as the program escapes values.
gbk() { printf '%s' "$1" | iconv -f UTF-8 -t GBK | od -An -tx1 -v | tr -d ' \n' | sed 's/../%&/g'; }
post() { curl -s --data-binary "@-" "$base/$1"; }
expect_success() { [ "$1" = "Success!" ] || { echo "setup refused: $1" >&2; exit 1; }; }

start_service() { # binary database
    "$1" --listen 127.0.0.1:0 --database "$2" >"$work/service.out" 2>"$work/service.err" &
    service_pid=$!
    for _ in $(seq 100); do grep -q Listening "$work/service.out" && break; sleep 0.1; done
    base="$(sed -n 's/^Listening on //p' "$work/service.out")"
    [ -n "$base" ] || { cat "$work/service.err" >&2; exit 1; }
}

classes=()
for c in $(seq -w 1 50); do classes+=("$(gbk "高一(${c})班")"); done
surnames=(王 李 张 刘 陈 杨 赵 黄 周 吴)
students=()
for s in $(seq 0 49); do students+=("$(gbk "${surnames[$((s % 10))]}同学$s")"); done
student_list="$(IFS='|'; echo "${students[*]}")"
class_list="$(IFS='|'; echo "${classes[*]}")"
topics="$(gbk 函数)|$(gbk 数列)"
# 200 score lines over the first four classes; TAB and "|" travel unescaped.
lines=()
for i in $(seq 0 199); do
    lines+=("${classes[$((i % 4))]}	${students[$((i % 50))]}	$((i % 6))$(gbk 分)	2024-03-15 08:$(printf %02d $((i / 60))):$(printf %02d $((i % 60)))	")
done
score_list="$(IFS='|'; echo "${lines[*]}")"
mkdir -p "$work/bodies"

# Teachers bench1..bench16, each with 50 classes of 50 students, and their upload bodies.
setup_teachers() {
    local t user op
    for t in $(seq 1 "$teachers"); do
        user="bench$t" op="bench-op"
        expect_success "$(printf 'username=%s&teachername=%s&password=bench-login&superpassword=%s&email=b@example.com&mb=&tel=&qq=' \
            "$user" "$(gbk 王老师)" "$op" | post regteacher.php)"
        expect_success "$(printf 'username=%s&password=%s&class=%s' "$user" "$op" "$class_list" | post setclass.php)"
        for class in "${classes[@]}"; do
            expect_success "$(printf 'username=%s&password=%s&class=%s&student=%s' "$user" "$op" "$class" "$student_list" | post student.php)"
        done
        expect_success "$(printf 'username=%s&password=%s&keti=%s' "$user" "$op" "$topics" | post setketi.php)"
        printf 'username=%s&password=%s&keti=%s&score=%s' "$user" "$op" "$(gbk 函数)" "$score_list" >"$work/bodies/upload-$t.body"
    done
    expect_success "$(post index.php <"$work/bodies/upload-1.body")"
}

# CPU seconds the service has used so far.
service_cpu() { awk -v hz="$(getconf CLK_TCK)" '{ print ($14 + $15) / hz }' "/proc/$service_pid/stat"; }

# Runs wrk and records "requests/s median" under the key; a refused request fails the run.
declare -A results
measure() { # key wrk-arguments...
    local key="$1" out
    shift
    out="$(wrk "$@")"
    echo "$out" >>"$work/wrk.log"
    local refused
    refused=$(awk '/refused_or_failed/ {print $2}' <<<"$out")
    if [ -n "$refused" ] && [ "$refused" != 0 ]; then echo "$key: $refused requests were not Success!" >&2; exit 1; fi
    if grep -q 'Non-2xx' <<<"$out"; then echo "$key: $(grep Non-2xx <<<"$out")" >&2; exit 1; fi
    requests=$(awk '/requests in/ {print $1}' <<<"$out")
    results[$key]="$(awk '/Requests\/sec/ {printf "%.1f", $2}' <<<"$out") $(awk '$1 == "50%" {print $2}' <<<"$out")"
}

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
if [ -n "$pg_bin" ] && [ -x "$pg_bin/initdb" ]; then
    pg_data="$work/pg"
    pg_port=$(((RANDOM % 20000) + 40000))
    mkdir -p "$pg_data" && [ "$(id -u)" = 0 ] && chown postgres "$pg_data"
    if as_postgres "$pg_bin/initdb" -D "$pg_data" -A trust -U postgres -E UTF8 >/dev/null &&
        as_postgres "$pg_bin/pg_ctl" -D "$pg_data" -w -l "$pg_data/server.log" \
            -o "-p $pg_port -k $pg_data -c listen_addresses=127.0.0.1" start >/dev/null; then
        databases+=(postgresql)
    else
        pg_data=""
    fi
fi

run=0
for database in "${databases[@]}"; do
    for index in "${!services[@]}"; do
        run=$((run + 1))
        if [ "$database" = sqlite ]; then
            location="$work/bench$run.sqlite"
        else
            as_postgres "$pg_bin/psql" -q -h 127.0.0.1 -p "$pg_port" -U postgres -c "CREATE DATABASE bench$run" postgres
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
        measure "$database-record $index" -t2 -c32 -d"${seconds}s" --latency "$record_url"
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
echo "(requests/s and median latency; CPU in ms of service time per upload)"
printf '%-44s%24s\n' "nginx, the record as a static file" "${results[nginx 0]} "
for database in "${databases[@]}"; do
    row "record.php, $database" "$database-record" ""
    for clients in 1 4 16; do
        row "index.php 200 lines, $database, $clients client(s)" "$database-upload $clients" ""
        row "  service CPU per upload" "$database-upload cpu$clients" "ms"
    done
done
