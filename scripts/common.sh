# Shared by the run, test and benchmark commands: dependencies, the Wine prefix, the X display.
# Source it; every function is idempotent and installs what is missing by itself.

WOL_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

# Debian packages the build and the tests use.
WOL_PACKAGES=(cmake make g++ googletest python3
  g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
  wine wine64 fonts-wine xvfb xdotool x11-utils imagemagick procps e2fsprogs)
# The fuzz command's own list (it needs none of the above but CMake).
WOL_FUZZ_PACKAGES=(cmake make clang libclang-rt-14-dev)

wol_log() { printf '[wolumetr] %s\n' "$*" >&2; }

wol_need_packages() {
  local missing=() p
  for p in "${WOL_PACKAGES[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  wol_log "installing: ${missing[*]}"
  local sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
}

# Wine 8 as Debian ships it; never let wineboot wait on the Mono/Gecko prompts.
wol_wine_env() {
  export WINEPREFIX="$1"
  export WINEARCH=win64
  export WINEDEBUG=${WINEDEBUG:--all}
  export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
}

wol_wine_prefix() {
  wol_wine_env "$1"
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    wol_log "creating Wine prefix $WINEPREFIX"
    mkdir -p "$WINEPREFIX"
    wineboot -i >/dev/null 2>&1 || true
    wineserver -w
    [ -f "$WINEPREFIX/system.reg" ] || { wol_log "wineboot failed for $WINEPREFIX"; return 1; }
  fi
}

wol_display_works() { [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; }

# Starts Xvfb at 1280x1024 on a free display number and exports DISPLAY.
WOL_XVFB_PID=""
wol_start_xvfb() {
  local n=${1:-91}
  while [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ]; do n=$((n + 1)); done
  Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
  WOL_XVFB_PID=$!
  export DISPLAY=":$n"
  local i
  for i in $(seq 1 100); do
    xdpyinfo >/dev/null 2>&1 && return 0
    sleep 0.1
  done
  wol_log "Xvfb did not start on $DISPLAY"
  return 1
}

wol_stop_xvfb() {
  [ -n "$WOL_XVFB_PID" ] && kill "$WOL_XVFB_PID" 2>/dev/null || true
  WOL_XVFB_PID=""
}

wol_build() {
  local preset=$1
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset" -j "$(nproc)"
}
