# SPDX-License-Identifier: GPL-3.0-or-later
# Installs, with apt-get, whatever the build, the tests and the program need and this machine
# lacks. Sourced by ./test and ./run.

norumi_packages=(
  g++ cmake ninja-build pkg-config
  libgtest-dev libgmock-dev libbenchmark-dev
  qt6-base-dev qt6-base-dev-tools qt6-qpa-plugins libgl-dev
  libmecab-dev mecab-ipadic-utf8
  libsqlite3-dev
  libespeak-ng-dev espeak-ng-data qt6-multimedia-dev libhangul-data
  clang libclang-rt-14-dev
  fonts-noto-cjk fonts-nanum
  qt6-translations-l10n
  g++-mingw-w64-x86-64-posix wine64 googletest
)
norumi_run_packages=(xvfb xauth imagemagick)
# The screen-reader test: Orca on a display of its own, with a window manager, the accessibility
# bus and keys sent from outside.
norumi_screenreader_packages=(orca openbox at-spi2-core dbus xvfb xauth xdotool)
# Making the Debian package (dpkg-shlibdeps, file) and checking it, as ./test does.
norumi_package_packages=(dpkg-dev file desktop-file-utils appstream lintian)

norumi_install() {
  local missing=()
  for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing: ${missing[*]}"
  local sudo=()
  [ "$(id -u)" -ne 0 ] && sudo=(sudo)
  "${sudo[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends \
    "${missing[@]}" >/dev/null
}

norumi_build() {  # folder, then extra cmake arguments; NORUMI_TARGET builds one target only
  local dir=$1
  shift
  cmake -S . -B "$dir" -G Ninja "$@" >/dev/null
  cmake --build "$dir" ${NORUMI_TARGET:+--target "$NORUMI_TARGET"}
}
