#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The Debian packages as a school's computer gets them: built by CPack, unpacked into a
# temporary root, and checked there, so that a missing file or a path of the build tree baked
# into a binary shows.
#   check_packages.sh STEP BUILD_DIR SOURCE_DIR VERSION
# STEP build makes and unpacks the packages; contents, start, desktop and unit check them.
# Exit 77: the step cannot run on this machine.
set -euo pipefail
step=$1 build=$2 source=$3 version=$4
out=$build/test-packages
root=$out/root
deb() { echo "$out/${1}_${version}-1_$(dpkg --print-architecture).deb"; }
fail() { echo "FAIL: $*" >&2; exit 1; }

build() {
    rm -rf "$out"
    cpack --config "$build/CPackConfig.cmake" -B "$out" >"$out.log" 2>&1 || { cat "$out.log"; exit 1; }
    for package in ordalis ordalis-service; do
        dpkg-deb -x "$(deb $package)" "$root"
    done
}

contents() {
    diff -u <(printf '%s\n' /etc/ordalis/service.ini /usr/bin/ordalis-service \
        /usr/lib/systemd/system/ordalis-service.service /usr/lib/sysusers.d/ordalis-service.conf \
        /usr/share/doc/ordalis-service/changelog.Debian.gz /usr/share/doc/ordalis-service/copyright \
        /usr/share/doc/ordalis-service/examples/nginx/ordalis.conf \
        /usr/share/man/man1/ordalis-service.1.gz) \
        <(dpkg-deb -c "$(deb ordalis-service)" | awk '$6 !~ /\/$/ {print substr($6, 2)}' | sort)
    local icons=()
    for size in 16 22 24 32 48 64 128 256 512; do
        icons+=("/usr/share/icons/hicolor/${size}x$size/apps/ordalis.png")
    done
    diff -u <(printf '%s\n' /usr/bin/ordalis /usr/share/applications/org.ordalis.Ordalis.desktop \
        /usr/share/doc/ordalis/changelog.Debian.gz /usr/share/doc/ordalis/copyright \
        "${icons[@]}" /usr/share/icons/hicolor/scalable/apps/ordalis.svg \
        /usr/share/man/man1/ordalis.1.gz /usr/share/metainfo/org.ordalis.Ordalis.metainfo.xml | sort) \
        <(dpkg-deb -c "$(deb ordalis)" | awk '$6 !~ /\/$/ {print substr($6, 2)}' | sort)

    for package in ordalis ordalis-service; do
        [ "$(dpkg-deb -f "$(deb $package)" Version)" = "$version-1" ] || fail "$package version"
        # Computed from the shared libraries the binary links.
        dpkg-deb -f "$(deb $package)" Depends | grep -q 'libqt6core6 (>=' || fail "$package depends"
        zcat "$root/usr/share/man/man1/$package.1.gz" | grep -qF -- '\-\-version' || fail "$package man page"
    done
    zcat "$root/usr/share/doc/ordalis/changelog.Debian.gz" | head -1 | grep -qF "ordalis ($version-1)" ||
        fail "the changelog does not begin with $version"
    grep -m1 '<release ' "$root/usr/share/metainfo/org.ordalis.Ordalis.metainfo.xml" |
        grep -qF "version=\"$version\"" || fail "the metainfo's latest release is not $version"
    local control=$out/control
    dpkg-deb -e "$(deb ordalis-service)" "$control"
    grep -qx /etc/ordalis/service.ini "$control/conffiles" || fail "service.ini is no conffile"
    for script in postinst prerm postrm; do sh -n "$control/$script"; done
    if grep -rlF -e "$build" -e "$source" "$root"; then
        fail "paths of the build tree in the installed files"
    fi
}

start() {
    local bin=$root/usr/bin work=$out/run
    mkdir -p "$work"
    [ "$("$bin/ordalis-service" --version)" = "ordalis-service $version" ] || fail "service --version"
    # --help answers without any display, as on a terminal over ssh.
    env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$bin/ordalis" --help |
        grep -q -- --quit-when-shown || fail "ordalis --help"
    # The shipped settings file, pointed at a free port and a database of the test's own.
    sed -e 's|^listen=.*|listen=127.0.0.1:0|' -e "s|^database=.*|database=$work/scores.sqlite|" \
        "$root/etc/ordalis/service.ini" >"$work/service.ini"
    "$bin/ordalis-service" --config "$work/service.ini" >"$work/service.out" &
    local service=$!
    trap 'kill $service 2>/dev/null || true' EXIT
    local address=""
    for _ in $(seq 100); do
        address=$(sed -n 's|^Listening on http://||p' "$work/service.out")
        [ -n "$address" ] && break
        sleep 0.1
    done
    [ -n "$address" ] || fail "the unpacked service did not start"
    exec 3<>"/dev/tcp/${address%:*}/${address##*:}"
    printf 'GET /version.php HTTP/1.0\r\nHost: %s\r\n\r\n' "$address" >&3
    grep -q "Tumbrel:$version" <&3 || fail "the unpacked service's version page"
    exec 3<&-
    [ -f "$work/scores.sqlite" ] || fail "the database of the settings file"

    XDG_CONFIG_HOME=$work/config QT_QPA_PLATFORM=offscreen timeout 60 "$bin/ordalis" \
        --quit-when-shown --data-dir "$work/data" --service-base "http://$address" ||
        fail "the unpacked program did not start"
    kill -TERM $service
    wait $service || fail "the service did not stop cleanly on SIGTERM"
    trap - EXIT
}

desktop() {
    local entry=$root/usr/share/applications/org.ordalis.Ordalis.desktop
    desktop-file-validate "$entry"
    appstreamcli validate --no-net "$root/usr/share/metainfo/org.ordalis.Ordalis.metainfo.xml"
    local icon
    icon=$(sed -n 's/^Icon=//p' "$entry")
    [ -f "$root/usr/share/icons/hicolor/scalable/apps/$icon.svg" ] || fail "no icon named $icon"
}

unit() {
    command -v systemd-analyze >/dev/null || { echo "systemd-analyze is not installed"; exit 77; }
    # The unit as shipped, starting the unpacked program instead of /usr/bin's.
    local unit=$out/unit/ordalis-service.service
    mkdir -p "${unit%/*}"
    sed "s|^ExecStart=/usr/bin/|ExecStart=$root/usr/bin/|" \
        "$root/usr/lib/systemd/system/ordalis-service.service" >"$unit"
    systemd-analyze verify --man=no "$unit"
    # The user the unit runs as is the one the package's sysusers file makes.
    local users=$out/unit/users
    mkdir -p "$users/etc"
    systemd-sysusers --root="$users" "$root/usr/lib/sysusers.d/ordalis-service.conf" >/dev/null
    grep -q "^$(sed -n 's/^User=//p' "$unit"):" "$users/etc/passwd" || fail "the unit's user"
    # The hardening keeps the exposure that systemd rates at most 2.0 of 10.
    systemd-analyze security --offline=yes --threshold=20 "$unit" >"$out/unit/security.txt" ||
        { cat "$out/unit/security.txt"; fail "the unit's exposure"; }
}

"$step"
