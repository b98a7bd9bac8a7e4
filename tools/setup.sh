# Sourced by ./run and ./test: installs what is missing and prepares Wine and a display.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/wine-env.sh"

# Debian packages the build, the programs and the tests need.
clocks_packages=(cmake make g++ googletest g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
  wine wine64 fonts-wine xvfb imagemagick fonts-ipafont-gothic fonts-ipafont-mincho
  faketime libasound2 clang libclang-rt-14-dev)
# What ./bench needs besides: Google Benchmark, Python for its report, strace to count calls.
bench_packages=(libbenchmark-dev python3 strace)

# Installs the given packages that are missing (the list above when none are given).
ensure_packages() {
  local missing=() wanted=("$@")
  [ ${#wanted[@]} -eq 0 ] && wanted=("${clocks_packages[@]}")
  for p in "${wanted[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing: ${missing[*]}"
  local sudo=""
  [ "$(id -u)" -ne 0 ] && sudo=sudo
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

# The project's own Wine prefix, made once: Japanese fonts for the dialogs' typefaces and
# window frames drawn by Wine itself, so the windows look the same with or without a window
# manager.
ensure_prefix() {
  local marker="$WINEPREFIX/.clocks-prefix-4"
  [ -f "$marker" ] && return 0
  echo "Preparing the Wine prefix in $WINEPREFIX"
  mkdir -p "$WINEPREFIX"
  wineboot -i >/dev/null 2>&1
  # Wine draws its caption buttons with Marlett, which this Wine finds only in the prefix.
  cp -n /usr/share/wine/fonts/*.ttf "$WINEPREFIX/drive_c/windows/Fonts/"
  local reg="$WINEPREFIX/clocks.reg"
  {
    printf 'Windows Registry Editor Version 5.00\r\n\r\n'
    printf '[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows NT\\CurrentVersion\\FontSubstitutes]\r\n'
    printf '"ＭＳ Ｐゴシック"="IPAPGothic"\r\n"ＭＳ ゴシック"="IPAGothic"\r\n'
    printf '"ＭＳ Ｐ明朝"="IPAPMincho"\r\n"ＭＳ 明朝"="IPAMincho"\r\n'
    printf '"MS PGothic"="IPAPGothic"\r\n"MS Gothic"="IPAGothic"\r\n"MS UI Gothic"="IPAPGothic"\r\n'
    printf '"MS PMincho"="IPAPMincho"\r\n"MS Mincho"="IPAMincho"\r\n\r\n'
    printf '[HKEY_CURRENT_USER\\Software\\Wine\\X11 Driver]\r\n"Decorated"="N"\r\n\r\n'
    printf '[HKEY_CURRENT_USER\\Software\\Wine\\Drivers]\r\n"Audio"="alsa"\r\n\r\n'
    # Window titles and menus in a Japanese font: Wine's default one has no kana or kanji, and
    # its stand-in has no bold face for captions and default menu items.
    printf '[HKEY_CURRENT_USER\\Control Panel\\Desktop\\WindowMetrics]\r\n'
    printf '"CaptionFont"=hex:%s\r\n' 'f5,ff,ff,ff,00,00,00,00,00,00,00,00,00,00,00,00,bc,02,00,00,00,00,00,80,00,00,00,22,49,00,50,00,41,00,50,00,47,00,6f,00,74,00,68,00,69,00,63,00,00,00,00,00,00,00,00,00,00,00,00,00,00,00,00,00,00,00,00,00,00,00,00,00,00,00,00,00,00,00,00,00,00,00,00,00,00,00,00,00,00,00,00,00'
    printf '"MenuFont"=hex:%s\r\n\r\n' 'f5,ff,ff,ff,00,00,00,00,00,00,00,00,00,00,00,00,90,01,00,00,00,00,00,80,00,00,00,22,49,00,50,00,41,00,50,00,47,00,6f,00,74,00,68,00,69,00,63,00,00,00,00,00,00,00,00,00,00,00,00,00,00,00,00,00,00,00,00,00,00,00,00,00,00,00,00,00,00,00,00,00,00,00,00,00,00,00,00,00,00,00,00,00'
  } | iconv -f UTF-8 -t UTF-16LE | { printf '\xff\xfe'; cat; } >"$reg"
  wine regedit /S "$reg" >/dev/null 2>&1
  # Stop the server that made the prefix: it saves the registry, and a persistent one can start.
  wineserver -k
  touch "$marker"
}

# Keeps one Wine server (and its helper processes) running until the script ends, and tells
# Wine whether a window manager looks after its windows: on a virtual display none runs, and
# Wine must not wait for one to withdraw each window (two seconds a window otherwise).
start_wine() {
  local managed=$1
  wineserver -p
  wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d "$managed" /f >/dev/null 2>&1
}

stop_wine() {
  wineserver -k 2>/dev/null || true
}

# A virtual display when there is no real one (or when asked for one).
start_virtual_display() {
  local fd_file
  fd_file=$(mktemp)
  Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$fd_file" >/dev/null 2>&1 &
  clocks_xvfb_pid=$!
  for _ in $(seq 50); do
    [ -s "$fd_file" ] && break
    sleep 0.1
  done
  export DISPLAY=":$(cat "$fd_file")"
  rm -f "$fd_file"
}

stop_virtual_display() {
  [ -n "${clocks_xvfb_pid:-}" ] && kill "$clocks_xvfb_pid" 2>/dev/null || true
}
