#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the core and service test programs with AddressSanitizer and UndefinedBehaviorSanitizer
# in build-sanitize/ and runs them; any memory error or undefined behaviour fails its test.
# Options are passed to ctest. Needs what ./test installs (run ./test once first).
set -euo pipefail
cd "$(dirname "$0")/.."
source tools/prepare.sh
ordalis_build build-sanitize -DORDALIS_SANITIZE=ON -DORDALIS_WERROR="${ORDALIS_WERROR:-OFF}" \
    -DORDALIS_BUILD_BENCH=OFF --target tests_core tests_service
cd build-sanitize
QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j "$(nproc)" -L '^(core|service)$' "$@"
