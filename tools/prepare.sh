# Shared by ./run and ./test: install what is missing from Debian, then configure and build
# incrementally in build/. Sourced, not run.
# qt6-declarative-dev: Qt TextToSpeech's headers and CMake package need its QML integration.
ORDALIS_PACKAGES=(
    cmake ninja-build g++ pkg-config
    qt6-base-dev libqt6sql6-sqlite libqt6sql6-psql qt6-translations-l10n
    qt6-speech-dev qt6-speech-flite-plugin qt6-declarative-dev
    libmicrohttpd-dev libsodium-dev
    libgtest-dev libbenchmark-dev
    fonts-noto-cjk xdg-utils
    help2man librsvg2-bin dpkg-dev file
    desktop-file-utils appstream chromium
    postgresql wrk nginx-light
)

ordalis_install_missing() {
    local missing=()
    for package in "${ORDALIS_PACKAGES[@]}" "$@"; do
        dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" ||
            missing+=("$package")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "Installing: ${missing[*]}"
    local sudo=""
    [ "$(id -u)" -ne 0 ] && sudo="sudo"
    $sudo apt-get update -qq &&
        DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

ordalis_build() {
    local root
    root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
    local launcher=()
    # A developer's machine with ccache shares compiled objects between checkouts.
    command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
    cmake -S "$root" -B "$root/build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "${launcher[@]}" >/dev/null &&
        cmake --build "$root/build" "$@"
}
