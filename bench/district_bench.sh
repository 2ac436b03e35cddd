#!/usr/bin/env bash
# Loopback throughput of a district's set-up, in one run: nginx with the shipped configuration
# (dist/nginx/ordalis.conf, plain HTTP instead of TLS) in front of one ordalis-service instance,
# then the same in front of three, all on one throwaway PostgreSQL cluster: record.php (a record
# of 50 classes x 50 students) and 200-line uploads by 16 clients, each for a teacher of its
# own, with the CPU each instance, nginx and PostgreSQL used. Every load targets 127.0.0.1
# only, for a bounded duration.
#   bench/district_bench.sh [build-dir] [seconds-per-run]
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${1:-$root/build}"
seconds="${2:-10}"
service="$build/ordalis-service"
teachers=16
instances=3

[ -x "$service" ] || cmake --build "$build" --target ordalis-service

source "$root/bench/service_load.sh"
export ORDALIS_BODY_DIR="$work/bodies"
pids=()
cleanup() {
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    for pid in "${pids[@]}"; do wait "$pid" 2>/dev/null || true; done
    for proxy in "$work"/proxy*; do
        [ -f "$proxy/nginx.pid" ] && kill "$(cat "$proxy/nginx.pid")" 2>/dev/null || true
    done
    stop_postgres
    rm -rf "$work"
}
trap cleanup EXIT

start_postgres || { echo "needs PostgreSQL's server programs (apt-get install -y postgresql)" >&2; exit 1; }
create_database district
location="postgresql://postgres@127.0.0.1:$pg_port/district"

# The instances, each trusting the proxy on loopback, on ports of their own.
first_port=$(((RANDOM % 20000) + 20000))
ports=()
for i in $(seq 0 $((instances - 1))); do
    ports+=($((first_port + i)))
    "$service" --listen "127.0.0.1:${ports[$i]}" --database "$location" --trusted-proxy 127.0.0.1 \
        >"$work/service$i.out" 2>"$work/service$i.err" &
    pids+=($!)
    for _ in $(seq 100); do grep -q Listening "$work/service$i.out" && break; sleep 0.1; done
    grep -q Listening "$work/service$i.out" || { cat "$work/service$i.err" >&2; exit 1; }
done

# nginx with the shipped file, its upstream cut to the first N instances, on a port of its own.
start_proxy() { # name port instance-count
    local dir="$work/$1"
    mkdir -p "$dir"
    awk -v port="$2" -v count="$3" -v ports="${ports[*]}" -v dir="$dir" '
        BEGIN { split(ports, instance, " ") }
        /^[ \t]*access_log \// { sub(/\/[^ ]+/, dir "/access.log"); print; next }
        /^[ \t]*ssl_/ || /^[ \t]*listen \[::\]/ { next }
        /^[ \t]*listen 443/ { print "    listen 127.0.0.1:" port ";"; next }
        /^[ \t]*listen 80/ { print "    listen 127.0.0.1:" (port + 1) ";"; next }
        /^[ \t]*server 10\./ {
            if (++n <= count) { sub(/10\.[0-9.]+:[0-9]+/, "127.0.0.1:" instance[n]); print }
            next
        }
        { print }' "$root/dist/nginx/ordalis.conf" >"$dir/ordalis.conf"
    cat >"$dir/nginx.conf" <<CONF
worker_processes auto;
pid $dir/nginx.pid;
error_log $dir/nginx.err;
events { worker_connections 1024; }
http {
    access_log off;
    client_body_temp_path $dir/body;
    proxy_temp_path $dir/proxy;
    fastcgi_temp_path $dir/fastcgi;
    uwsgi_temp_path $dir/uwsgi;
    scgi_temp_path $dir/scgi;
    include $dir/ordalis.conf;
}
CONF
    nginx -c "$dir/nginx.conf" -p "$dir"
    for _ in $(seq 50); do [ "$(curl -s "http://127.0.0.1:$2/healthz")" = ok ] && return; sleep 0.1; done
    echo "nginx $1 does not answer" >&2
    exit 1
}
proxy_port=$((first_port + 100))
start_proxy proxy1 "$proxy_port" 1
start_proxy proxy3 "$((proxy_port + 10))" "$instances"

base="http://127.0.0.1:$proxy_port"
setup_teachers
record_url="/record.php?t=bench1&mp=$(printf bench-login | md5sum | cut -c1-32)"
record_bytes=$(curl -s "$base$record_url" | wc -c)
# Every instance checks each teacher's password once with Argon2, then from its cache: that
# first check is no part of the steady state measured.
for port in "${ports[@]}"; do
    for t in $(seq 1 "$teachers"); do
        expect_success "$(curl -s --data-binary "@$work/bodies/upload-$t.body" "http://127.0.0.1:$port/index.php")"
    done
    curl -sf -o /dev/null "http://127.0.0.1:$port$record_url"
done

# The CPU of every process of the set-up in one run, in % of one processor.
nginx_pids() { cat "$work/$1/nginx.pid"; pgrep -P "$(cat "$work/$1/nginx.pid")"; }
postgres_pids() { local main; main=$(head -1 "$pg_data/postmaster.pid"); echo "$main"; pgrep -P "$main"; }
run() { # key proxy wrk-arguments...
    local key="$1" proxy="$2" i before=() after=()
    shift 2
    local groups=("${pids[@]}" "nginx" "postgres")
    for i in "${!groups[@]}"; do before[$i]=$(group_cpu "${groups[$i]}" "$proxy"); done
    measure "$key" "$@"
    for i in "${!groups[@]}"; do
        after[$i]=$(group_cpu "${groups[$i]}" "$proxy")
        results["$key cpu$i"]=$(awk -v a="${after[$i]}" -v b="${before[$i]}" -v s="$seconds" 'BEGIN { printf "%.0f%%", (a - b) * 100 / s }')
    done
}
group_cpu() { # instance-pid|nginx|postgres proxy
    case "$1" in
    nginx) cpu_seconds $(nginx_pids "$2") ;;
    postgres) cpu_seconds $(postgres_pids) ;;
    *) cpu_seconds "$1" ;;
    esac
}

for setup in 1 3; do
    url="http://127.0.0.1:$((proxy_port + (setup == 3 ? 10 : 0)))"
    run "record $setup" "proxy$setup" -t2 -c32 -d"${seconds}s" --latency "$url$record_url"
    run "upload $setup" "proxy$setup" -t16 -c16 -d"${seconds}s" \
        --latency -s "$root/bench/service_upload.lua" "$url/index.php"
done

echo "record: $record_bytes bytes; $seconds s per run, loopback only; $(nproc) processors; PostgreSQL $(basename "$(dirname "$pg_bin")")"
printf '%-34s%20s%20s%8s   %s\n' "" "1 instance" "$instances instances" "ratio" "CPU with $instances: instance 1..$instances, nginx, PostgreSQL"
for kind in record upload; do
    label="record.php, 32 connections"
    [ $kind = upload ] && label="index.php 200 lines, 16 clients"
    one="${results[$kind 1]}" many="${results[$kind 3]}"
    cpu=""
    for i in $(seq 0 $((instances + 1))); do cpu+="${results[$kind 3 cpu$i]} "; done
    printf '%-34s%20s%20s%8s   %s\n' "$label" "$one" "$many" \
        "$(awk -v a="${many%% *}" -v b="${one%% *}" 'BEGIN { if (b > 0) printf "%.2f", a / b }')" "$cpu"
    cpu=""
    for i in 0 $((instances)) $((instances + 1)); do cpu+="${results[$kind 1 cpu$i]} "; done
    printf '%-34s%40s%8s   %s\n' "" "(CPU with 1: instance 1, nginx, PostgreSQL)" "" "$cpu"
done
echo "(requests/s and median latency)"
