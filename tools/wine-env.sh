# Sourced by the project's scripts: the project's own Wine prefix and quiet Wine.
repo_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
export WINEPREFIX="$repo_root/build/wineprefix"
export WINEDEBUG="${WINEDEBUG:--all}"
# No Mono or Gecko install prompts: the programs use neither.
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"
# Sounds open and play on a null device, so completion notices arrive without hardware.
export ALSA_CONFIG_PATH="$repo_root/tools/asound.conf"
