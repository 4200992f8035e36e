# Shared by the run, test and benchmark commands: dependencies, the Wine prefix, the X display.
# Source it; every function is idempotent and installs what is missing by itself.

WOL_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

# Wine turns Windows file names into Unix ones through the locale: without a UTF-8 one (a bare
# container sets none) the program's and the tests' Polish folder names come out wrong.
if [ "$(locale charmap 2>/dev/null)" != "UTF-8" ]; then
  export LC_ALL=C.UTF-8
fi

# The fuzzers' build: clang with libFuzzer and the sanitizers' runtime.
WOL_FUZZ_PACKAGES=(cmake make clang libclang-rt-14-dev)
# Debian packages the build and the tests use (the tests run each fuzzer briefly).
WOL_PACKAGES=(cmake make g++ googletest python3
  g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
  wine wine64 fonts-wine xvfb xdotool x11-utils imagemagick procps e2fsprogs
  fuse3 libfuse3-dev pkg-config
  "${WOL_FUZZ_PACKAGES[@]}")
# What packs the release: the MSI builder and its tools, faketime to hold the MSI's clock, and the
# signer. The package command's own list adds the cross-build; the test command's adds them all.
WOL_RELEASE_TOOLS=(wixl msitools faketime osslsigncode)
WOL_PACKAGE_PACKAGES=(cmake make git python3 g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
  "${WOL_RELEASE_TOOLS[@]}")

wol_log() { printf '[wolumetr] %s\n' "$*" >&2; }

# The sources, tests, benchmark and installer action in the project's one style (.clang-format,
# Debian's clang-format 14).
wol_check_format() {
  local files
  mapfile -t files < <(git -C "$WOL_ROOT" ls-files 'src/*.cpp' 'src/*.h' 'tests/*.cpp' 'tests/*.h' 'tests/*.c' \
    'bench/*.cpp' 'bench/*.h' 'packaging/*.cpp')
  if ! clang-format --dry-run -Werror "${files[@]/#/$WOL_ROOT/}"; then
    wol_log "the files named above are not in the project's style: clang-format -i them"
    return 1
  fi
}

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

# Wine waits up to 2 s for a window manager at every hiding of a window it leaves to one (a closed
# popup menu among them), and a click in that time lands on the dead menu. With no manager on the
# display (Xvfb) the prefix's windows are left unmanaged: Wine then draws their frames itself and
# hides them at once; X sees no _NET_WM_STATE (stay-on-top is visible only through Win32).
wol_wine_match_window_manager() {
  local key='HKCU\Software\Wine\X11 Driver'
  if xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; then
    wine reg delete "$key" /v Managed /f >/dev/null 2>&1 || true
    return 0
  fi
  local attempt
  for attempt in 1 2 3; do
    # On a busy machine a Wine process now and then fails to start: try again.
    wine reg add "$key" /v Managed /d N /f >/dev/null 2>&1 && return 0
    sleep 1
  done
  wol_log "could not set Managed=N in $WINEPREFIX"
  return 1
}

# Starts Xvfb at 1280x1024 on the first free display number from $1 (91) and exports DISPLAY.
# Every display started here is stopped by wol_stop_xvfb.
WOL_XVFB_PID=""
WOL_XVFB_PIDS=()
wol_start_xvfb() {
  local n=${1:-91} attempt i
  for attempt in 1 2 3 4 5; do
    while [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ]; do n=$((n + 1)); done
    Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
    WOL_XVFB_PID=$!
    WOL_XVFB_PIDS+=("$WOL_XVFB_PID")
    export DISPLAY=":$n"
    for i in $(seq 1 100); do
      # Another session may have taken the number in the meantime: then ours has ended.
      kill -0 "$WOL_XVFB_PID" 2>/dev/null || break
      xdpyinfo >/dev/null 2>&1 && return 0
      sleep 0.1
    done
    kill -0 "$WOL_XVFB_PID" 2>/dev/null && break
    n=$((n + 1))
  done
  wol_log "Xvfb did not start on $DISPLAY"
  return 1
}

wol_stop_xvfb() {
  local pid
  for pid in "${WOL_XVFB_PIDS[@]}"; do kill "$pid" 2>/dev/null || true; done
  WOL_XVFB_PIDS=()
  WOL_XVFB_PID=""
}

# A desk for the Windows tests: the display and the Wine prefix, with its own server and Wine's
# services, that this shell's DISPLAY and WINEPREFIX name. The services start apart from CTest's
# output pipes: a service that inherits a test's stdout would keep CTest waiting for its end.
wol_start_desk() {
  wol_wine_prefix "$1" || return 1
  # Returns once the server runs (it goes to the background by itself).
  wineserver -p </dev/null >/dev/null 2>&1 || true
  wol_wine_match_window_manager
  wine wineboot </dev/null >/dev/null 2>&1 || true
}

# CTest gives each Windows test one desk (RESOURCE_GROUPS desk:1) and says which in
# CTEST_RESOURCE_GROUP_0_DESK ("id:N,slots:1"); the test command names desk N's display and
# prefix in WOLUMETR_DESK_N_DISPLAY and WOLUMETR_DESK_N_PREFIX. Without them nothing changes.
wol_use_ctest_desk() {
  local group=${CTEST_RESOURCE_GROUP_0_DESK:-} id display prefix
  [ -n "$group" ] || return 0
  id=${group#id:}
  id=${id%%,*}
  display="WOLUMETR_DESK_${id}_DISPLAY"
  prefix="WOLUMETR_DESK_${id}_PREFIX"
  [ -n "${!display:-}" ] && export DISPLAY="${!display}"
  [ -n "${!prefix:-}" ] && export WINEPREFIX="${!prefix}"
  return 0
}

wol_build() {
  local preset=$1
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset" -j "$(nproc)"
}

# The three fuzzers (clang, libFuzzer, ASan and UBSan) in build/fuzz; tests/fuzz/run_fuzzer.sh runs them.
wol_build_fuzzers() {
  cmake -S tests/fuzz -B build/fuzz -DCMAKE_CXX_COMPILER=clang++ >/dev/null
  cmake --build build/fuzz -j "$(nproc)"
}
