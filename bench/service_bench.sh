#!/usr/bin/env bash
# Loopback throughput of the score service: record.php for a teacher with 50 classes x 50
# students against nginx serving the same bytes as a static file (the ceiling), and index.php
# with 200-line uploads. Every load targets 127.0.0.1 only, for a bounded duration.
#   bench/service_bench.sh [build-dir] [seconds-per-run]
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${1:-$root/build}"
seconds="${2:-10}"
service="$build/ordalis-service"

for tool in wrk nginx curl iconv od; do
    command -v "$tool" >/dev/null || {
        echo "missing $tool (apt-get install -y wrk nginx-light curl)" >&2
        exit 1
    }
done
[ -x "$service" ] || cmake --build "$build" --target ordalis-service

work="$(mktemp -d)"
service_pid=""
cleanup() {
    [ -n "$service_pid" ] && kill "$service_pid" 2>/dev/null || true
    [ -f "$work/nginx.pid" ] && kill "$(cat "$work/nginx.pid")" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

# Each character of the text as %XX of its GBK bytes, as the program escapes values.
gbk() { printf '%s' "$1" | iconv -f UTF-8 -t GBK | od -An -tx1 -v | tr -d ' \n' | sed 's/../%&/g'; }
post() { curl -s --data-binary "@-" "$base/$1"; }
expect_success() { [ "$1" = "Success!" ] || { echo "setup refused: $1" >&2; exit 1; }; }

"$service" --listen 127.0.0.1:0 --database "$work/bench.sqlite" >"$work/service.out" 2>"$work/service.err" &
service_pid=$!
for _ in $(seq 100); do grep -q Listening "$work/service.out" && break; sleep 0.1; done
base="$(sed -n 's/^Listening on //p' "$work/service.out")"
[ -n "$base" ] || { cat "$work/service.err" >&2; exit 1; }

user=bench1
login=bench-login
op=bench-op
mp="$(printf '%s' "$login" | md5sum | cut -c1-32)"
expect_success "$(printf 'username=%s&teachername=%s&password=%s&superpassword=%s&email=b@example.com&mb=&tel=&qq=' \
    "$user" "$(gbk 王老师)" "$login" "$op" | post regteacher.php)"

classes=()
for c in $(seq -w 1 50); do classes+=("$(gbk "高一(${c})班")"); done
expect_success "$(printf 'username=%s&password=%s&class=%s' "$user" "$op" "$(IFS='|'; echo "${classes[*]}")" | post setclass.php)"
surnames=(王 李 张 刘 陈 杨 赵 黄 周 吴)
students=()
for s in $(seq 0 49); do students+=("$(gbk "${surnames[$((s % 10))]}同学$s")"); done
student_list="$(IFS='|'; echo "${students[*]}")"
for class in "${classes[@]}"; do
    expect_success "$(printf 'username=%s&password=%s&class=%s&student=%s' "$user" "$op" "$class" "$student_list" | post student.php)"
done
expect_success "$(printf 'username=%s&password=%s&keti=%s' "$user" "$op" "$(gbk 函数)|$(gbk 数列)" | post setketi.php)"

# 200 score lines over the first four classes; TAB and "|" travel unescaped.
lines=()
for i in $(seq 0 199); do
    lines+=("${classes[$((i % 4))]}	${students[$((i % 50))]}	$((i % 6))$(gbk 分)	2024-03-15 08:$(printf %02d $((i / 60))):$(printf %02d $((i % 60)))	")
done
printf 'username=%s&password=%s&keti=%s&score=%s' "$user" "$op" "$(gbk 函数)" "$(IFS='|'; echo "${lines[*]}")" >"$work/upload.body"
expect_success "$(post index.php <"$work/upload.body")"

record_url="$base/record.php?t=$user&mp=$mp"
mkdir -p "$work/www"
curl -s -o "$work/www/record.dmd" "$record_url"
chmod 755 "$work" "$work/www" && chmod 644 "$work/www/record.dmd" # nginx workers are not root
record_bytes=$(stat -c %s "$work/www/record.dmd")
record_lines=$(grep -c $'\r$' "$work/www/record.dmd")

nginx_port=$(( (RANDOM % 20000) + 20000 ))
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

# Prints: requests/s, median and p99 latency of one wrk run.
measure() {
    local out
    out="$(wrk "$@")"
    echo "$out" >>"$work/wrk.log"
    local rps p50 p99
    rps=$(awk '/Requests\/sec/ {print $2}' <<<"$out")
    p50=$(awk '$1 == "50%" {print $2}' <<<"$out")
    p99=$(awk '$1 == "99%" {print $2}' <<<"$out")
    printf '%-34s %12s req/s   median %9s   p99 %9s\n' "$label" "$rps" "$p50" "$p99"
    local refused
    refused=$(awk '/refused_or_failed/ {print $2}' <<<"$out")
    if [ -n "$refused" ] && [ "$refused" != 0 ]; then echo "  $refused requests were not Success!" >&2; exit 1; fi
    if grep -q 'Non-2xx' <<<"$out"; then echo "  non-2xx replies: $(grep Non-2xx <<<"$out")" >&2; exit 1; fi
}

echo "record: $record_bytes bytes, $record_lines lines; $seconds s per run, loopback only"
label="nginx static record (ceiling)"; measure -t2 -c32 -d"${seconds}s" --latency "http://127.0.0.1:$nginx_port/record.dmd"
label="record.php"; measure -t2 -c32 -d"${seconds}s" --latency "$record_url"
label="index.php, 200 lines, 1 client"; ORDALIS_BODY_FILE="$work/upload.body" measure -t1 -c1 -d"${seconds}s" --latency -s "$root/bench/service_upload.lua" "$base/index.php"
label="index.php, 200 lines, 4 clients"; ORDALIS_BODY_FILE="$work/upload.body" measure -t2 -c4 -d"${seconds}s" --latency -s "$root/bench/service_upload.lua" "$base/index.php"
