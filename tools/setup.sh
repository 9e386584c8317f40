#!/usr/bin/env bash
# Installs the Debian packages Tarnvik needs to build, test and run.
# Idempotent: prints nothing and changes nothing when everything is there.
#   tools/setup.sh            build, test and run dependencies
#   tools/setup.sh --extras   also the tools for screenshots, fuzzing and benchmarks
#   tools/setup.sh --windows  also the mingw-w64 cross compilers, Wine, NSIS
#                             and an X server for the installed window
#                             (tools/test-windows.sh, tools/package-windows.sh)
set -euo pipefail

packages=(
  cmake g++ make ninja-build pkg-config
  libgtest-dev libgmock-dev libbenchmark-dev
  qt6-base-dev libgl-dev
  fonts-ipafont-gothic
  libicu-dev
  libxlsxwriter-dev
  libglib2.0-dev shared-mime-info
  dbus-daemon
  unzip
  clang-format
  tzdata
  dpkg-dev file desktop-file-utils
)
for option in "$@"; do
  case $option in
    --extras) packages+=(xvfb xdotool x11-utils imagemagick locales clang-14 libclang-rt-14-dev hyperfine) ;;
    --windows) packages+=(g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix libz-mingw-w64-dev
      googletest wine wine64 dpkg-dev xz-utils nsis xvfb xdotool) ;;
  esac
done

missing=()
for p in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
  [[ "$status" == "install ok installed" ]] || missing+=("$p")
done
[[ ${#missing[@]} -eq 0 ]] && exit 0

sudo=()
[[ $(id -u) -ne 0 ]] && sudo=(sudo)
echo "Installing: ${missing[*]}" >&2
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update -qq >/dev/null
"${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
