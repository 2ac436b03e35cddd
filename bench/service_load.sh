# The load of the service benchmarks, sourced by service_bench.sh and district_bench.sh: sixteen
# teachers of 50 classes x 50 students with their 200-line upload bodies, a throwaway PostgreSQL
# cluster, and wrk runs recorded as "requests/s median", in a folder of the run, $work. Needs
# $teachers; setup_teachers talks to $base.

for tool in wrk nginx curl iconv od; do
    command -v "$tool" >/dev/null || {
        echo "missing $tool (apt-get install -y wrk nginx-light curl)" >&2
        exit 1
    }
done
work="$(mktemp -d)"
chmod 755 "$work" # nginx workers and the PostgreSQL server are not root

# Each character of the text as %XX of its GBK bytes, as the program escapes values.
gbk() { printf '%s' "$1" | iconv -f UTF-8 -t GBK | od -An -tx1 -v | tr -d ' \n' | sed 's/../%&/g'; }
post() { curl -s --data-binary "@-" "$base/$1"; }
expect_success() { [ "$1" = "Success!" ] || { echo "setup refused: $1" >&2; exit 1; }; }

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

# A throwaway PostgreSQL cluster on a free loopback port, where its server programs are
# installed: sets pg_bin, pg_data and pg_port, or fails leaving pg_data empty.
pg_data=""
pg_bin="$(ls -d /usr/lib/postgresql/*/bin 2>/dev/null | sort -V | tail -1)"
as_postgres() { if [ "$(id -u)" = 0 ]; then runuser -u postgres -- "$@"; else "$@"; fi; }
start_postgres() {
    [ -n "$pg_bin" ] && [ -x "$pg_bin/initdb" ] || return 1
    pg_data="$work/pg"
    pg_port=$(((RANDOM % 20000) + 40000))
    mkdir -p "$pg_data" && [ "$(id -u)" = 0 ] && chown postgres "$pg_data"
    if as_postgres "$pg_bin/initdb" -D "$pg_data" -A trust -U postgres -E UTF8 >/dev/null &&
        as_postgres "$pg_bin/pg_ctl" -D "$pg_data" -w -l "$pg_data/server.log" \
            -o "-p $pg_port -k $pg_data -c listen_addresses=127.0.0.1" start >/dev/null; then
        return 0
    fi
    pg_data=""
    return 1
}
stop_postgres() {
    [ -n "$pg_data" ] && as_postgres "$pg_bin/pg_ctl" -D "$pg_data" -m immediate stop >/dev/null 2>&1 || true
}
create_database() { # name
    as_postgres "$pg_bin/psql" -q -h 127.0.0.1 -p "$pg_port" -U postgres -c "CREATE DATABASE $1" postgres
}

# CPU seconds (user and system) the processes have used so far.
cpu_seconds() { # pid...
    local pid total=0
    for pid in "$@"; do
        total=$(awk -v t="$total" -v hz="$(getconf CLK_TCK)" '{ printf "%.2f", t + ($14 + $15) / hz }' "/proc/$pid/stat" 2>/dev/null || echo "$total")
    done
    echo "$total"
}
