#!/usr/bin/env bash
# Installs the build into a temporary prefix and checks it as a user would
# meet it: the files are where the programs look for them, the desktop entries
# and AppStream metadata are valid, and a normal user with an empty home
# starts Velmar with the settings as shipped, links its first-run dialog with
# velmar-vradio (keys pressed at Qt's VNC screen) and reaches the main window,
# and starts VelmarSetFactory; both write only into that home.
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

# A first start by a normal user with an empty home, with the settings as
# shipped: Velmar shows its first-run link dialog, and the user links it with
# the virtual radio before the main window comes. The install folder is made
# writable for that user, so that a file written there would show up in the
# listing instead of failing unseen.
need python3
[[ " ${programs[*]} " == *" velmar-vradio "* ]] ||
    { echo "FAIL: velmar-vradio is not installed, so no first run can link"; exit 1; }
grep -qx 'IsFirstRun=1' "$prefix/share/velmar/language/mysetup.ini" ||
    fail "the shipped mysetup.ini does not start a new installation with the first-run link"
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

# Starts PROGRAM as the user on the Qt platform PLATFORM (offscreen unless
# given); its process id is left in $pid.
launch() {
    local program=$1 platform=${2:-offscreen}
    env -i HOME="$home" PATH=/usr/bin:/bin LANG=C.UTF-8 QT_QPA_PLATFORM="$platform" \
        XDG_RUNTIME_DIR="$runtime" "${run_as[@]}" "$prefix/bin/$program" >"$logs/$program.log" 2>&1 &
    pid=$!
    children+=("$pid")
}

# Waits up to 30 s while program PID runs until FILE (relative to the home)
# holds the line LINE, or only exists when no line is given.
wait_for_file() {
    local pid=$1 written=$2 line=${3:-}
    for _ in $(seq 150); do
        if [ -e "$home/$written" ] && { [ -z "$line" ] || grep -qx "$line" "$home/$written"; }; then
            return 0
        fi
        kill -0 "$pid" 2>/dev/null || break
        sleep 0.2
    done
    fail "${line:-a file} did not appear in ~/$written"
}

# Checks that PROGRAM (process PID) is still running a few seconds later,
# showing its window, and stops it.
runs_then_stop() {
    local program=$1 pid=$2
    sleep 3
    if kill -0 "$pid" 2>/dev/null; then
        kill -TERM "$pid"
        wait "$pid" 2>/dev/null || true
    else
        wait "$pid" && status=0 || status=$?
        fail "$program ended on its own (status $status) instead of showing its window"
        cat "$logs/$program.log"
    fi
}

# The virtual radio, started by the user on a pseudo-terminal with a stable
# name, behind a cable that echoes; the user's port map names it COM1, the
# port the shipped settings choose.
radio=$runtime/velmar-radio
start_radio() {
    env -i HOME="$home" PATH=/usr/bin:/bin "${run_as[@]}" "$prefix/bin/velmar-vradio" \
        --echo --verbose --link "$radio" >"$logs/velmar-vradio.out" 2>"$logs/velmar-vradio.log" &
    radio_pid=$!
    children+=("$radio_pid")
    for _ in $(seq 50); do
        [ -e "$radio" ] && break
        sleep 0.1
    done
    [ -e "$radio" ] || { cat "$logs/velmar-vradio.log"; fail "velmar-vradio did not start"; }
    mkdir -p "$home/.config/velmar"
    printf '[ComPorts]\nCOM1=%s\n' "$radio" >"$home/.config/velmar/comports.ini"
    if [ ${#run_as[@]} -gt 0 ]; then
        chown -R 65534:65534 "$home/.config"
    fi
}

# The first start of Velmar: the first-run dialog comes up with COM1 shown;
# the user presses Enter (its OK key) at the screen until the radio has heard
# the handshake; the dialog then closes and the main window stays.
first_start_of_velmar() {
    local vnc_port
    vnc_port=$(python3 -c 'import socket; s = socket.socket(); s.bind(("", 0)); print(s.getsockname()[1])')
    launch Velmar "vnc:size=1280x1024:port=$vnc_port"
    local velmar=$pid
    for _ in $(seq 20); do
        grep -q '^velmar-vradio: handshake' "$logs/velmar-vradio.log" && break
        kill -0 "$velmar" 2>/dev/null || break
        python3 "$(dirname "$0")/vnc_keys.py" "$vnc_port" Return >>"$logs/vnc_keys.log" 2>&1 || true
        sleep 1.5
    done
    grep -q '^velmar-vradio: handshake' "$logs/velmar-vradio.log" ||
        fail "the first-run dialog sent no handshake to the radio"
    wait_for_file "$velmar" .config/velmar/language/mysetup.ini IsFirstRun=0
    runs_then_stop Velmar "$velmar"
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
start_radio
first_start_of_velmar
keeps_shipped_keys language/mysetup.ini
if [[ " ${programs[*]} " == *" VelmarSetFactory "* ]]; then
    launch VelmarSetFactory
    runs_then_stop VelmarSetFactory "$pid"
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
kill -TERM "$radio_pid"
wait "$radio_pid" 2>/dev/null || true
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
