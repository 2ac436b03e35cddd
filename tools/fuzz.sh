#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the fuzz targets of tests/fuzz in build-sanitize/ (clang, AddressSanitizer and
# UndefinedBehaviorSanitizer, shared with tools/sanitize.sh) and runs each for SECONDS
# (default 60), one after the other, on a copy of its seed corpus. Fails if any target
# crashes, breaks a promise it checks, leaks, runs out of memory or takes too long over one
# input; the input that did it is kept in build-sanitize/fuzz/<target>/ (add it to the
# target's corpus, named for what it caught, with its fix). Needs what ./test installs.
# Usage: tools/fuzz.sh [SECONDS] [TARGET...]   (TARGET: form_fields, csv, ...; default all)
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-60}"
shift $(($# > 0 ? 1 : 0))
source tools/prepare.sh
ordalis_build_sanitized --target tests_fuzz
targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
    for corpus in tests/fuzz/corpus/*/; do
        targets+=("$(basename "$corpus")")
    done
fi
failed=()
for target in "${targets[@]}"; do
    work="build-sanitize/fuzz/$target"
    rm -rf "$work"
    mkdir -p "$work/corpus"
    cp tests/fuzz/corpus/"$target"/* "$work/corpus/"
    # Per input at most 10 s and 1 GB (a roster file within the import's bounds takes far
    # less); -print_final_stats gives the executions per second.
    if build-sanitize/tests/fuzz/fuzz_"$target" -max_total_time="$seconds" -timeout=10 \
        -rss_limit_mb=1024 -print_final_stats=1 -artifact_prefix="$work/" "$work/corpus" \
        >"$work/log" 2>&1; then
        result=ok
    else
        result=FAILED
        failed+=("$target")
        tail -n 40 "$work/log"
    fi
    stats="$(grep -E 'stat::(number_of_executed_units|average_exec_per_sec)' "$work/log" |
        awk '{printf "%s %s  ", $1, $2}')"
    echo "fuzz_$target: $result  $stats"
done
if [ ${#failed[@]} -gt 0 ]; then
    echo "Fuzz targets that failed: ${failed[*]} (logs and inputs in build-sanitize/fuzz/)" >&2
    exit 1
fi
