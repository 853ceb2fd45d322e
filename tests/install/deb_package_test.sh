#!/usr/bin/env bash
# Checks the Debian package that `make deb` (cpack -G DEB) left in the build folder: its control
# fields, that it holds what `cmake --install` installs under /usr and none of the desktop's
# caches, and that the program in it runs.
#   deb_package_test.sh BUILD_FOLDER
set -uo pipefail

build=$1
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
package=$(ls "$build"/locuscope_"${version}"_*.deb 2>/dev/null | head -n 1)
if [[ -z $package ]]; then
    echo "FAILED: no locuscope_${version}_*.deb in $build (run make deb first)"
    exit 1
fi
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

failures=0
checks=0
check() {  # check DESCRIPTION COMMAND...
    local description=$1
    shift
    checks=$((checks + 1))
    if "$@"; then echo "ok: $description"; else echo "FAILED: $description"; failures=$((failures + 1)); fi
}
field() { dpkg-deb --field "$package" "$1"; }
field_is() {  # field_is NAME VALUE
    [[ $(field "$1") == "$2" ]] || { echo "  $1: $(field "$1")"; return 1; }
}

# CPack keeps only three parts of a version unless told otherwise.
check "its version is the whole project version" field_is Version "$version"
# dpkg-shlibdeps found the libraries; an empty list installs a program that cannot start.
depends_on_linked_libraries() {
    local library missing=0
    for library in libqt6core6 libqt6gui6 libqt6widgets6 libqt6printsupport6 libqt6svg6 \
                   libgif7 zlib1g libstdc++6 libc6; do
        field Depends | tr ',' '\n' | grep -q "^ *$library " ||
            { echo "  Depends lacks $library: $(field Depends)"; missing=1; }
    done
    return $missing
}
check "it depends on the libraries the program links" depends_on_linked_libraries

dpkg-deb --extract "$package" "$scratch/root"
contents() { (cd "$scratch/root" && find . -type f | sed 's|^\./||' | sort); }
expected_contents() {
    echo usr/bin/locuscope
    echo usr/share/applications/locuscope.desktop
    echo usr/share/mime/packages/locuscope.xml
    for size in 16 22 24 32 48 64 128 256 512; do
        echo "usr/share/icons/hicolor/${size}x${size}/apps/locuscope.png"
    done
}
check "it holds the program, its menu entry, MIME package and icons, and no cache" \
    diff <(expected_contents | sort) <(contents)
check "its menu entry runs /usr/bin/locuscope" \
    grep -qxF 'Exec="/usr/bin/locuscope" %F' "$scratch/root/usr/share/applications/locuscope.desktop"
is_stripped() { ! readelf -S "$scratch/root/usr/bin/locuscope" | grep -q '\.debug_info'; }
check "its program is stripped" is_stripped
# No display and an empty environment, as on a server the package was just installed on.
prints_version() {
    [[ $(env -i "$scratch/root/usr/bin/locuscope" --version) == "Locuscope $version" ]]
}
check "its program runs and prints the version" prints_version

echo "$((checks - failures)) passed, $failures failed"
((failures == 0))
