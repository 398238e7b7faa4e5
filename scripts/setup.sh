#!/usr/bin/env bash
# Installs what a fresh Debian 12 machine lacks to build, test and run Tamvek.
# Only Debian packages; packages already installed are skipped.
set -euo pipefail
# fonts-liberation2 is the window's face (Arial's metrics), qt6-translations-l10n
# puts Qt's own dialogs into German, xdg-utils opens a saved printout from the
# status line. librsvg2-bin draws the icon's fixed sizes, dpkg-dev finds the
# package's library dependencies, appstream and desktop-file-utils check what
# the package gives the desktop. libhwy-dev gives the system tester's baseline
# the processor's widest vector lanes; liblua5.4-dev (found through pkg-config)
# runs the systems written in Lua.
packages=(g++ cmake ninja-build libgtest-dev libgmock-dev libbenchmark-dev
          qt6-base-dev libqt6opengl6-dev qt6-multimedia-dev qt6-charts-dev
          fonts-liberation2 qt6-translations-l10n xdg-utils
          xvfb xauth poppler-utils clang clang-format libclang-rt-14-dev nlohmann-json3-dev
          libtomlplusplus-dev libcli11-dev qt6-svg-dev librsvg2-bin dpkg-dev appstream
          desktop-file-utils libhwy-dev liblua5.4-dev pkg-config)
missing=()
for p in "${packages[@]}"; do
  [ "$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null)" = "install ok installed" ] || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  sudo_cmd=""
  [ "$(id -u)" -ne 0 ] && sudo_cmd="sudo"
  $sudo_cmd apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo_cmd apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
