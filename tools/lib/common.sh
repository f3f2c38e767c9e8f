# Shared by tools/open and tools/test: packages, a private display and a Wine prefix.

# Installs the Debian packages that are missing (apt-get update once, only when needed).
ensure_packages() {
    local missing=() pkg
    for pkg in "$@"; do
        dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed' || missing+=("$pkg")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "Installing: ${missing[*]}"
    local sudo=""
    [ "$(id -u)" -ne 0 ] && sudo="sudo"
    $sudo apt-get update -qq &&
        DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
}

# Everything the builds need: the host toolchain, both MinGW-w64 targets (posix threads, which
# GoogleTest requires; the i686 release uses the win32 thread model), the GoogleTest sources,
# Wine, a virtual display and the resource tools.
QUENLOW_BUILD_PACKAGES=(cmake make g++ googletest python3
    g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
    g++-mingw-w64-i686-posix gcc-mingw-w64-i686-posix binutils-mingw-w64-i686
    g++-mingw-w64-i686-win32 gcc-mingw-w64-i686-win32)
QUENLOW_RUN_PACKAGES=(wine wine64 xvfb xauth x11-utils imagemagick icoutils fonts-dejavu-core)

# Starts Xvfb on the first free display number and exports DISPLAY. Sets XVFB_PID.
start_virtual_display() {
    local n
    for n in $(seq 91 199); do
        [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] && continue
        Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
        XVFB_PID=$!
        export DISPLAY=":$n"
        local i
        for i in $(seq 1 50); do
            xdpyinfo >/dev/null 2>&1 && return 0
            kill -0 "$XVFB_PID" 2>/dev/null || break
            sleep 0.1
        done
    done
    echo "could not start Xvfb" >&2
    return 1
}

# Creates (or reuses) the Wine prefix in $WINEPREFIX, with windows unmanaged by the X11 driver:
# without a window manager, managed windows wait seconds on every destroy.
prepare_wine_prefix() {
    export WINEDEBUG=${WINEDEBUG:--all}
    # No Mono or Gecko installers: nothing may be downloaded.
    export WINEDLLOVERRIDES="mscoree,mshtml="
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
        mkdir -p "$WINEPREFIX"
        /usr/lib/wine/wine64 wineboot -i >/dev/null 2>&1
    fi
    /usr/lib/wine/wine64 reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
    wineserver -w
}

# The geometry (WxH+X+Y, with a margin) of the top-level window titled $1 on $DISPLAY.
window_geometry() {
    xwininfo -name "$1" 2>/dev/null | awk '
        /Absolute upper-left X/ {x=$NF} /Absolute upper-left Y/ {y=$NF}
        /Width:/ {w=$NF} /Height:/ {h=$NF}
        END { if (w) printf "%dx%d+%d+%d", w+16, h+16, (x>8?x-8:0), (y>8?y-8:0); else exit 1 }'
}
