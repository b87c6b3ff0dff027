#!/usr/bin/env bash
# Installs, with apt-get, everything a fresh Debian 12 machine needs to build,
# run and test Scribo (editor and shell extension). Safe to run again.
set -euo pipefail

SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
APT=(-o DPkg::Lock::Timeout=300 -y -q)

pkgs=(
  build-essential cmake ninja-build ccache pkg-config
  qtbase5-dev qtbase5-dev-tools libqt5svg5-dev libqt5webkit5-dev
  qttools5-dev qttools5-dev-tools qttranslations5-l10n
  libqt5sql5-sqlite
  xvfb xauth x11-utils imagemagick openbox
  fonts-dejavu-core fonts-noto-cjk
  locales desktop-file-utils file
  g++-mingw-w64-i686 g++-mingw-w64-x86-64 binutils-mingw-w64
  wine wine64
)

missing=()
for p in "${pkgs[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
need_i386=0
dpkg --print-foreign-architectures | grep -qx i386 || need_i386=1
dpkg-query -W -f='${Status}' wine32:i386 2>/dev/null | grep -q "install ok installed" || need_i386=1

if [ ${#missing[@]} -gt 0 ] || [ $need_i386 -eq 1 ]; then
  $SUDO dpkg --add-architecture i386
  export DEBIAN_FRONTEND=noninteractive
  $SUDO apt-get "${APT[@]}" update
  $SUDO apt-get "${APT[@]}" install --no-install-recommends "${pkgs[@]}" wine32:i386
fi

# Locales used by the interface-language and encoding tests.
gen=0
for l in en_US zh_CN ja_JP; do
  locale -a 2>/dev/null | grep -qi "^${l}\.utf-\?8$" || gen=1
done
if [ $gen -eq 1 ]; then
  for l in en_US zh_CN ja_JP; do
    $SUDO sed -i "s/^# *\(${l}.UTF-8 UTF-8\)/\1/" /etc/locale.gen
  done
  $SUDO locale-gen >/dev/null
fi
# Optional: KDE's syntax-highlighting library, only a comparison baseline for
# scripts/bench.sh (SCRB_BENCH_DEPS=1); nothing else needs it.
if [ "${SCRB_BENCH_DEPS:-0}" = 1 ] \
   && ! dpkg-query -W -f='${Status}' libkf5syntaxhighlighting-dev 2>/dev/null | grep -q "install ok installed"; then
  export DEBIAN_FRONTEND=noninteractive
  $SUDO apt-get "${APT[@]}" update
  $SUDO apt-get "${APT[@]}" install --no-install-recommends libkf5syntaxhighlighting-dev \
    || echo "install-deps: libkf5syntaxhighlighting-dev unavailable; the benchmark skips that baseline"
fi
echo "install-deps: done"
