# Shared by ./run, ./test, .ci/run and tools/package.sh: install what is missing from Debian,
# then configure and build incrementally. Sourced, not run.

# Building and running the two programs (./run). librsvg2-bin renders the program's icons;
# qt6-declarative-dev: Qt TextToSpeech's headers and CMake package need its QML integration.
# libzip-dev reads the rosters of .xlsx and .ods files, libxlsxwriter-dev writes workbooks;
# libxcb1-dev keeps the draw window above a full-screen slideshow under X11.
ORDALIS_RUN_PACKAGES=(
    cmake ninja-build g++ pkg-config
    qt6-base-dev libqt6sql6-sqlite libqt6sql6-psql qt6-translations-l10n
    qt6-speech-dev qt6-speech-flite-plugin qt6-declarative-dev qt6-charts-dev
    libmicrohttpd-dev libsodium-dev libsqlite3-dev prometheus-cpp-dev libzip-dev
    libxlsxwriter-dev libicu-dev libxcb1-dev
    librsvg2-bin fonts-noto-cjk xdg-utils
)
# Making the Debian packages (tools/package.sh): manual pages and the packages' dependencies.
ORDALIS_PACKAGING_PACKAGES=(
    help2man dpkg-dev file
)
# The test suite and the benchmarks (./test) besides the two lists above: the include check,
# the package checks, the browser the pages are tested in, a PostgreSQL server, and the load
# generator and static server of the service benchmark, and a reader of workbooks that is not
# our own (openpyxl) for the import and export tests; clang and its runtime libraries for the
# sanitizer and fuzzing build (tools/sanitize.sh, tools/fuzz.sh: -fsanitize=fuzzer links
# libclang-rt's libFuzzer, not the separate libfuzzer-*-dev); an X server and a window manager
# for the windows as a desktop shows them, with the tools that read its stacking and focus
# (x11-utils), send real clicks and keys (xdotool) and dump the screen (x11-apps' xwd).
ORDALIS_TEST_PACKAGES=(
    libbenchmark-dev python3 python3-openpyxl clang libclang-rt-dev
    desktop-file-utils appstream chromium
    postgresql wrk nginx-light
    xvfb openbox x11-utils xdotool x11-apps
)

# ordalis_install_missing PACKAGE...: installs those of the packages that are missing.
ordalis_install_missing() {
    local missing=()
    for package in "$@"; do
        dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" ||
            missing+=("$package")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    local sudo=()
    if [ "$(id -u)" -ne 0 ]; then
        if ! command -v sudo >/dev/null; then
            echo "These Debian packages are missing, and sudo is not installed to install them." >&2
            echo "As root, run:" >&2
            echo "    apt-get update && apt-get install --no-install-recommends ${missing[*]}" >&2
            echo "then start $0 again." >&2
            return 1
        fi
        sudo=(sudo)
    fi
    echo "Installing: ${missing[*]}"
    "${sudo[@]}" apt-get update -qq &&
        DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends \
            "${missing[@]}"
}

# ordalis_build [DIR] [-DNAME=VALUE...] [build arguments...]: configures DIR (default build/,
# relative to the source tree) with the options given and builds in it.
ordalis_build() {
    local root
    root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
    local dir="$root/build"
    if [ $# -gt 0 ] && [[ "$1" != -* ]]; then
        dir="$root/$1"
        shift
    fi
    local options=()
    while [ $# -gt 0 ] && [[ "$1" == -D* ]]; do
        options+=("$1")
        shift
    done
    # A developer's machine with ccache shares compiled objects between checkouts.
    command -v ccache >/dev/null && options+=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
    cmake -S "$root" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "${options[@]}" >/dev/null &&
        cmake --build "$dir" "$@"
}

# ordalis_build_sanitized [build arguments...]: ordalis_build in build-sanitize/, with clang,
# AddressSanitizer, UndefinedBehaviorSanitizer and the fuzz targets: tools/sanitize.sh and
# tools/fuzz.sh build there alike, so the sanitized code is compiled once for both.
ordalis_build_sanitized() {
    ordalis_build build-sanitize -DCMAKE_CXX_COMPILER=clang++ -DORDALIS_SANITIZE=ON \
        -DORDALIS_FUZZ=ON -DORDALIS_WERROR="${ORDALIS_WERROR:-OFF}" -DORDALIS_BUILD_BENCH=OFF "$@"
}

# ordalis_build_programs [build arguments...]: ordalis_build for ./run and tools/package.sh. A
# fresh build/ is configured without the tests and benchmarks, whose packages they do not
# install; a build/ that ./test configured stays as it is.
ordalis_build_programs() {
    local cache
    cache="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)/build/CMakeCache.txt"
    if [ -f "$cache" ]; then
        ordalis_build build "$@"
    else
        ordalis_build build -DBUILD_TESTING=OFF -DORDALIS_BUILD_BENCH=OFF "$@"
    fi
}
