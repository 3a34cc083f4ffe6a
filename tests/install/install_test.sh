#!/usr/bin/env bash
# Installs the build into a temporary prefix and checks it as a user would
# meet it: the files are where the programs look for them, the desktop entries
# and AppStream metadata are valid, and a normal user with an empty home
# starts Velmar (and VelmarSetFactory), which write only into that home.
#   install_test.sh BUILD_DIR SOURCE_DIR PROGRAM...
# Exits 77 (skipped) when a tool it needs is missing.
set -euo pipefail
build=$1 source=$2
shift 2
programs=("$@")
. "$(dirname "$0")/expected_files.sh"

need() {
    command -v "$1" >/dev/null || { echo "SKIP: $1 is not installed"; exit 77; }
}
need desktop-file-validate
need appstreamcli
run_as=()
if [ "$(id -u)" -eq 0 ]; then
    # Start the programs as "nobody", as a desktop user would.
    need setpriv
    run_as=(setpriv --reuid=65534 --regid=65534 --clear-groups --)
fi

work=$(mktemp -d)
children=()
cleanup() {
    for pid in "${children[@]}"; do kill -KILL "$pid" 2>/dev/null || true; done
    rm -rf "$work"
}
trap cleanup EXIT
chmod 755 "$work"
prefix=$work/prefix
logs=$work/logs
mkdir "$logs"
failures=0
fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}

"${CMAKE_COMMAND:-cmake}" --install "$build" --prefix "$prefix" >"$logs/install.log" ||
    { cat "$logs/install.log"; exit 1; }

# Exactly the expected files, nothing more (no build-only tool, no test).
if ! diff -u <(expected_files "$source" "${programs[@]}") \
    <(cd "$prefix" && find . ! -type d | sed 's|^\./||' | LC_ALL=C sort) >"$logs/layout.diff"; then
    fail "installed files differ from the expected layout (- missing, + unexpected):"
    cat "$logs/layout.diff"
fi
# The shipped data, byte for byte.
while read -r f; do
    case $f in
    share/velmar/bin/mysetup.ini) shipped=$source/data/factory/mysetup.ini ;;
    share/velmar/bin/*) shipped=$source/data/${f#share/velmar/bin/} ;;
    share/velmar/*) shipped=$source/data/${f#share/velmar/} ;;
    *) continue ;;
    esac
    [ ! -e "$prefix/$f" ] || cmp -s "$shipped" "$prefix/$f" || fail "$f differs from $shipped"
done < <(expected_files "$source" "${programs[@]}")

# Desktop entries: valid, starting an installed program, showing an installed icon.
for entry in "$prefix"/share/applications/*.desktop; do
    [ -e "$entry" ] || continue
    desktop-file-validate "$entry" || fail "$entry is not a valid desktop entry"
    exec=$(sed -n 's/^Exec=\([^ ]*\).*/\1/p' "$entry")
    icon=$(sed -n 's/^Icon=//p' "$entry")
    [ -x "$prefix/bin/$exec" ] || fail "$entry starts $exec, which is not installed"
    [ -e "$prefix/share/icons/hicolor/scalable/apps/$icon.svg" ] ||
        fail "$entry shows the icon $icon, which is not installed"
done
for metainfo in "$prefix"/share/metainfo/*.xml; do
    [ -e "$metainfo" ] || continue
    appstreamcli validate --no-net "$metainfo" >"$logs/appstream.log" 2>&1 ||
        { cat "$logs/appstream.log"; fail "$metainfo does not validate"; }
    launchable=$(sed -n 's/.*<launchable type="desktop-id">\(.*\)<\/launchable>.*/\1/p' "$metainfo")
    [ -e "$prefix/share/applications/$launchable" ] ||
        fail "$metainfo launches $launchable, which is not installed"
done
if command -v groff >/dev/null; then
    for page in "$prefix"/share/man/man1/*.1; do
        [ -e "$page" ] || continue
        warnings=$(groff -man -Tutf8 -ww -z "$page" 2>&1)
        [ -z "$warnings" ] || fail "$page: $warnings"
    done
fi

# A first start by a normal user with an empty home. The install folder is
# made writable for that user, so that a file written there would show up in
# the listing instead of failing unseen.
home=$work/home
runtime=$work/runtime
mkdir -p "$home"
mkdir -m 700 "$runtime"
if [ ${#run_as[@]} -gt 0 ]; then
    chown -R 65534:65534 "$home" "$runtime" "$prefix"
fi
listing() {
    (cd "$work" && find . -mindepth 1 -path ./home -prune -o -path ./runtime -prune -o \
        -path ./logs -prune -o -printf '%p %s %T@ %m\n' | LC_ALL=C sort)
}

# Starts PROGRAM as the user, waits until FILE (relative to the home) exists
# when one is given, checks the program is still running a few seconds later,
# and stops it.
start_and_stop() {
    local program=$1 written=${2:-} log=$logs/$1.log
    env -i HOME="$home" PATH=/usr/bin:/bin LANG=C.UTF-8 QT_QPA_PLATFORM=offscreen \
        XDG_RUNTIME_DIR="$runtime" "${run_as[@]}" "$prefix/bin/$program" >"$log" 2>&1 &
    local pid=$!
    children+=("$pid")
    if [ -n "$written" ]; then
        for _ in $(seq 150); do
            [ -e "$home/$written" ] || ! kill -0 "$pid" 2>/dev/null && break
            sleep 0.2
        done
        [ -e "$home/$written" ] || fail "$program did not write ~/$written"
    fi
    sleep 3
    if kill -0 "$pid" 2>/dev/null; then
        kill -TERM "$pid"
        wait "$pid" 2>/dev/null || true
    else
        wait "$pid" && status=0 || status=$?
        fail "$program ended on its own (status $status) instead of showing its window"
        cat "$log"
    fi
}

# A settings file the user's copy of which exists holds every key of the
# shipped one: the program found the shipped file and started from it.
keeps_shipped_keys() {
    local shipped=$prefix/share/velmar/$1 own=$home/.config/velmar/$1 key
    [ -e "$own" ] || return 0
    for key in $(sed -n 's/^\([A-Za-z]*\)=.*/\1/p' "$shipped"); do
        grep -q "^$key=" "$own" || fail "~/.config/velmar/$1 lacks the shipped key $key"
    done
}

listing >"$logs/listing.before"
start_and_stop Velmar .config/velmar/language/mysetup.ini
keeps_shipped_keys language/mysetup.ini
if [[ " ${programs[*]} " == *" VelmarSetFactory "* ]]; then
    start_and_stop VelmarSetFactory
    keeps_shipped_keys bin/mysetup.ini
fi
# velmar-cli as the user: its texts come from the installed language files,
# its files go where it is told; a template converts into a memory image and
# back.
if [[ " ${programs[*]} " == *" velmar-cli "* ]]; then
    bash -n "$prefix/share/bash-completion/completions/velmar-cli" ||
        fail "the bash completion of velmar-cli is not valid bash"
    cli() {
        env -i HOME="$home" PATH=/usr/bin:/bin LANG=C.UTF-8 "${run_as[@]}" \
            "$prefix/bin/velmar-cli" "$@"
    }
    cli info --port "$work/no-such-port" >"$logs/cli-port.log" 2>&1 && status=0 || status=$?
    [ "$status" = 1 ] || fail "velmar-cli info on a missing port exited $status, not 1"
    cannot_open=$(sed -n 's/^9003=//p' "$source/data/language/english.ini")
    grep -qF "$cannot_open" "$logs/cli-port.log" ||
        fail "velmar-cli did not say text 9003: $(cat "$logs/cli-port.log")"
    template=$prefix/share/velmar/bin/Init/KAVRO_1_NEW.dat
    if cli image "$template" "$home/template.img" >"$logs/cli-image.log" 2>&1 &&
        cli image "$home/template.img" "$home/template.dat" >>"$logs/cli-image.log" 2>&1; then
        [ "$(stat -c %s "$home/template.img")" = 11520 ] || fail "velmar-cli image made no 11520-byte image"
        [ "$(stat -c %s "$home/template.dat")" = 1753 ] || fail "velmar-cli image made no 1753-byte data file"
    else
        fail "velmar-cli image failed: $(cat "$logs/cli-image.log")"
    fi
fi
listing >"$logs/listing.after"
diff -u "$logs/listing.before" "$logs/listing.after" ||
    fail "the programs wrote outside the user's home (listing above)"
echo "Files the programs wrote into the empty home:"
(cd "$home" && find . -type f | sed 's|^\./|  ~/|')

if [ "$failures" -gt 0 ]; then
    echo "$failures check(s) failed"
    exit 1
fi
echo "installation checks passed"
