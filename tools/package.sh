#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the Debian packages ordalis and ordalis-service into build/packages/.
set -euo pipefail
cd "$(dirname "$0")/.."
source tools/prepare.sh
ordalis_install_missing "${ORDALIS_RUN_PACKAGES[@]}" "${ORDALIS_PACKAGING_PACKAGES[@]}"
ordalis_build_programs --target ordalis ordalis-service ordalis_icons ordalis_man_pages ordalis_changelog
cd build
rm -rf packages
cpack >/dev/null
rm -rf packages/_CPack_Packages
ls -l packages/*.deb
