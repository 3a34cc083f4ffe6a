#!/usr/bin/env bash
# Builds the Debian package in a temporary folder and checks what it holds:
# the installed layout under /usr, its declared dependencies and its fields.
#   deb_test.sh BUILD_DIR SOURCE_DIR PROGRAM...
# Exits 77 (skipped) when a tool it needs is missing.
set -euo pipefail
build=$1 source=$2
shift 2
programs=("$@")
. "$(dirname "$0")/expected_files.sh"

for tool in dpkg-deb dpkg-shlibdeps; do
    command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}

"${CPACK_COMMAND:-cpack}" -G DEB --config "$build/CPackConfig.cmake" -B "$work" >"$work/cpack.log" 2>&1 ||
    { cat "$work/cpack.log"; exit 1; }
debs=("$work"/*.deb)
[ -e "${debs[0]}" ] || { cat "$work/cpack.log"; echo "FAIL: cpack made no .deb"; exit 1; }
deb=${debs[0]}
echo "built $(basename "$deb")"

if ! diff -u <(expected_files "$source" "${programs[@]}" | sed 's|^|/usr/|') \
    <(dpkg-deb -c "$deb" | awk '{ print $NF }' | grep -v '/$' | sed 's|^\.||' | LC_ALL=C sort) \
    >"$work/contents.diff"; then
    fail "the package's files differ from the expected layout (- missing, + unexpected):"
    cat "$work/contents.diff"
fi

field() { dpkg-deb -f "$deb" "$1"; }
[ "$(field Package)" = velmar ] || fail "package name is $(field Package)"
[ -n "$(field Maintainer)" ] || fail "no maintainer"
[ -n "$(field Section)" ] || fail "no section"
[ "$(field Description | wc -l)" -gt 1 ] || fail "no long description"
depends=$(field Depends)
echo "Depends: $depends"
for library in libc6 libstdc++6 libqt6widgets6 libqt6serialport6; do
    [[ $depends == *"$library"* ]] || fail "Depends lacks $library"
done
dpkg-deb -I "$deb" postinst >/dev/null 2>&1 || fail "no postinst to reload the udev rules"

if [ "$failures" -gt 0 ]; then
    echo "$failures check(s) failed"
    exit 1
fi
echo "package checks passed"
