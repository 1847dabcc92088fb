# Shared steps of the project's scripts; sourced, not run.
set -euo pipefail

ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
BUILD=${ORVANE_BUILD:-$ROOT/build}
JOBS=$(nproc 2>/dev/null || echo 2)

PACKAGES=(cmake g++ make g++-mingw-w64-x86-64-posix wine wine64 xvfb xauth googletest
          imagemagick fonts-ipafont-gothic locales python3 libx11-6 libxrandr2)

say() { printf '== %s\n' "$*" >&2; }

# Installs the Debian packages that are missing; quiet when nothing is.
ensure_packages() {
    local missing=()
    for package in "${PACKAGES[@]}" "$@"; do
        dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" ||
            missing+=("$package")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    say "installing ${missing[*]}"
    local sudo=""
    [ "$(id -u)" -eq 0 ] || sudo=sudo
    $sudo apt-get update -qq >/dev/null
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends \
        "${missing[@]}" >/dev/null
}

# Code page 932 and Japanese texts for the Wine processes.
ensure_locale() {
    locale -a 2>/dev/null | grep -qix 'ja_JP.utf8' && return 0
    say "making the ja_JP.UTF-8 locale"
    local sudo=""
    [ "$(id -u)" -eq 0 ] || sudo=sudo
    $sudo localedef -i ja_JP -f UTF-8 ja_JP.UTF-8
}

build_windows() {
    cmake -S "$ROOT" -B "$BUILD/win" -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-w64.cmake" \
        -DCMAKE_BUILD_TYPE=Release >/dev/null
    cmake --build "$BUILD/win" -j "$JOBS" "$@"
}

build_host() {
    cmake -S "$ROOT" -B "$BUILD/host" -DCMAKE_BUILD_TYPE=Debug >/dev/null
    cmake --build "$BUILD/host" -j "$JOBS" "$@"
}

STARTED_XVFB=""
# A private X display, unless the caller has one.
start_display() {
    if [ -n "${DISPLAY:-}" ]; then return 0; fi
    new_display
}

# A private X display of its own in DISPLAY, one screen of 1920 × 1080 pixels unless the
# argument gives another size; STARTED_XVFB collects the servers started.
new_display() {
    local n=90 size=${1:-1920x1080}
    while [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ]; do n=$((n + 1)); done
    Xvfb ":$n" -screen 0 "${size}x24" -nolisten tcp >/dev/null 2>&1 &
    STARTED_XVFB="$STARTED_XVFB $!"
    export DISPLAY=":$n"
    for _ in $(seq 100); do
        [ -e "/tmp/.X11-unix/X$n" ] && return 0
        sleep 0.1
    done
    say "Xvfb did not start"
    return 1
}

# A private X display with two monitors in DISPLAY: the primary, 1920 × 1080, and left of it
# a second one, 1280 × 1024, which Windows programs see at negative coordinates. Xvfb makes
# one screen of both; RandR monitors split it. They last as long as the connection of the
# client that made them: a small helper keeps it until stop_all. Wine sees them only through
# Xinerama (make_two_screen_prefix).
STARTED_HELPERS=""
new_two_screen_display() {
    new_display 3200x1080 || return 1
    local ready
    ready=$(mktemp)
    python3 "$ROOT/scripts/two_monitors.py" "$ready" &
    STARTED_HELPERS="$STARTED_HELPERS $!"
    for _ in $(seq 100); do
        if [ -s "$ready" ]; then rm -f "$ready"; return 0; fi
        sleep 0.1
    done
    rm -f "$ready"
    say "the two monitors were not made"
    return 1
}

WINE_PREFIXES=""
# The Wine prefix that the following wine commands use; stop_all ends its server.
use_prefix() {
    export WINEPREFIX=$1 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" LANG=ja_JP.UTF-8
    WINE_PREFIXES="$WINE_PREFIXES $WINEPREFIX"
}

# A fresh Wine prefix with Japanese glyphs whose user folders stay inside it, and its
# server kept running until stop_all, so that each program starts at once.
make_prefix() {
    use_prefix "$1"
    rm -rf "$WINEPREFIX"
    mkdir -p "$WINEPREFIX"
    wineboot -i >/dev/null 2>&1
    wineserver -w
    local user_dir
    for user_dir in "$WINEPREFIX"/drive_c/users/*/; do
        for link in "$user_dir"*; do
            if [ -L "$link" ]; then rm "$link" && mkdir -p "$link"; fi
        done
    done
    # No window manager here: Wine draws the window frames itself.
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
    # A crash ends the program instead of waiting for someone to close Wine's dialog.
    wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1
    wineserver -w
    wineserver -p
    # Wine's own services start with the first program: here, not holding a caller's output.
    wine cmd /c exit </dev/null >/dev/null 2>&1
}

# A prefix as make_prefix makes it, whose programs take the monitors from Xinerama: Wine's
# RandR support knows only the screen's outputs, not the monitors that split one.
make_two_screen_prefix() {
    make_prefix "$1"
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v UseXRandR /d N /f >/dev/null 2>&1
    # Wine's desktop process reads the monitors when it starts: start it again.
    wineserver -k || true
    wineserver -w
    wineserver -p
    wine cmd /c exit </dev/null >/dev/null 2>&1
}

stop_all() {
    local prefix
    for prefix in $WINE_PREFIXES; do
        if [ -d "$prefix" ]; then WINEPREFIX=$prefix wineserver -k 2>/dev/null || true; fi
    done
    WINE_PREFIXES=""
    if [ -n "$STARTED_HELPERS" ]; then kill $STARTED_HELPERS 2>/dev/null || true; fi
    STARTED_HELPERS=""
    if [ -n "$STARTED_XVFB" ]; then kill $STARTED_XVFB 2>/dev/null || true; fi
    STARTED_XVFB=""
}

# Runs a step and says how long it took; the times add up in TIMES.
TIMES=""
timed() {
    local name=$1 start=$SECONDS status=0
    shift
    "$@" || status=$?
    TIMES="$TIMES, $name $((SECONDS - start)) s"
    say "$name: $((SECONDS - start)) s"
    return $status
}
