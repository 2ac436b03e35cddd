#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the core and service test programs with AddressSanitizer and UndefinedBehaviorSanitizer
# in build-sanitize/ (clang, shared with tools/fuzz.sh) and runs them; any memory error, leak
# or undefined behaviour fails its test. Options are passed to ctest. Needs what ./test
# installs (run ./test once first).
set -euo pipefail
cd "$(dirname "$0")/.."
source tools/prepare.sh
ordalis_build_sanitized --target tests_core tests_service
cd build-sanitize
QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j "$(nproc)" -L '^(core|service)$' "$@"
