# Shared by the commands in tools/: packages, a private display and a Wine prefix.

# Runs a command as root: itself for root, through sudo for another user.
as_root() {
    if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

# Whether as_root can run anything here; where not (another user, no sudo), says in one line what
# to run as root instead: $1.
can_run_as_root() {
    if [ "$(id -u)" -eq 0 ] || command -v sudo >/dev/null; then
        return 0
    fi
    echo "Missing Debian packages: as root, run \"$1\", then this command again" >&2
    return 1
}

# Installs the Debian packages that are missing (apt-get update once, only when needed).
ensure_packages() {
    local missing=() pkg
    for pkg in "$@"; do
        dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed' || missing+=("$pkg")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    local instead="apt-get update && apt-get install ${missing[*]}"
    can_run_as_root "$instead" || return 1
    echo "Installing: ${missing[*]}"
    as_root apt-get update -qq &&
        as_root env DEBIAN_FRONTEND=noninteractive \
            apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null && return 0
    echo "Could not install them: as root, run \"$instead\", then this command again" >&2
    return 1
}

# Everything the builds need: the host toolchain, both MinGW-w64 targets in both thread models
# (the releases use the win32 model; GoogleTest requires posix threads), CMake's C compiler as
# well (GoogleTest's project enables C), the GoogleTest sources, and Python for the static checks
# of the executable (with pefile, which reads it) and the artwork generator.
QUENLOW_BUILD_PACKAGES=(cmake make g++ googletest python3 python3-pefile
    g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
    g++-mingw-w64-x86-64-win32 gcc-mingw-w64-x86-64-win32
    g++-mingw-w64-i686-posix gcc-mingw-w64-i686-posix binutils-mingw-w64-i686
    g++-mingw-w64-i686-win32 gcc-mingw-w64-i686-win32)
# What runs the programs: Wine (wine, and wine64's /usr/lib/wine/wine64), a virtual display (Xvfb)
# and the X tools that wait for it and find windows on it (xdpyinfo, xwininfo). tools/open also
# takes its screenshot with ImageMagick's import.
QUENLOW_RUN_PACKAGES=(wine wine64 xvfb x11-utils)

# Whether this machine runs 32-bit x86 code, asked of the kernel itself with a few bytes of i386
# code that exit with status 42; Wine is not needed for the question. QUENLOW_NO_32BIT=1 answers
# no on any machine. Sets NO_32BIT_REASON when the answer is no.
runs_32bit_code() {
    if [ -n "${QUENLOW_NO_32BIT:-}" ] && [ "${QUENLOW_NO_32BIT}" != 0 ]; then
        NO_32BIT_REASON="QUENLOW_NO_32BIT is set"
        return 1
    fi
    local probe
    probe=$(mktemp -d)
    printf '.globl _start\n_start:\n movl $1, %%eax\n movl $42, %%ebx\n int $0x80\n' >"$probe/probe.s"
    local status=1
    if as --32 -o "$probe/probe.o" "$probe/probe.s" 2>/dev/null &&
        ld -m elf_i386 -o "$probe/probe" "$probe/probe.o" 2>/dev/null; then
        "$probe/probe" 2>/dev/null
        status=$?
    fi
    rm -rf "$probe"
    [ "$status" -eq 42 ] && return 0
    NO_32BIT_REASON="this machine's kernel runs no 32-bit x86 code"
    return 1
}

# Installs wine32, which runs the 32-bit programs (Debian's i386 architecture added first).
ensure_wine32() {
    if ! dpkg --print-foreign-architectures | grep -qx i386; then
        local instead="dpkg --add-architecture i386 && apt-get update && apt-get install wine32:i386"
        can_run_as_root "$instead" || return 1
        if ! as_root dpkg --add-architecture i386 || ! as_root apt-get update -qq; then
            echo "Could not add Debian's i386 architecture: as root, run \"$instead\"" >&2
            return 1
        fi
    fi
    ensure_packages wine32:i386
}

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
# without a window manager, managed windows wait seconds on every destroy. With "32", a prefix
# that runs 32-bit programs too (WoW64): made by plain wine once wine32 is installed; a 64-bit
# prefix made earlier cannot run them and is made anew.
prepare_wine_prefix() {
    export WINEDEBUG=${WINEDEBUG:--all}
    # No Mono or Gecko installers: nothing may be downloaded.
    export WINEDLLOVERRIDES="mscoree,mshtml="
    local wine=/usr/lib/wine/wine64
    if [ "${1:-}" = 32 ]; then
        wine=wine
        if [ -f "$WINEPREFIX/system.reg" ] && [ ! -d "$WINEPREFIX/drive_c/windows/syswow64" ]; then
            wineserver -k >/dev/null 2>&1
            rm -rf "$WINEPREFIX"
        fi
    fi
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
        mkdir -p "$WINEPREFIX"
        "$wine" wineboot -i >/dev/null 2>&1
    fi
    "$wine" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
    # A program that crashes ends at once, as on a machine without a debugger: Wine's own would
    # keep it waiting, and a test driving it with it.
    "$wine" reg delete 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\AeDebug' /v Debugger /f >/dev/null 2>&1
    wineserver -w
}

# The geometry (WxH+X+Y, with a margin) of the top-level window titled $1 on $DISPLAY.
window_geometry() {
    xwininfo -name "$1" 2>/dev/null | awk '
        /Absolute upper-left X/ {x=$NF} /Absolute upper-left Y/ {y=$NF}
        /Width:/ {w=$NF} /Height:/ {h=$NF}
        END { if (w) printf "%dx%d+%d+%d", w+16, h+16, (x>8?x-8:0), (y>8?y-8:0); else exit 1 }'
}
