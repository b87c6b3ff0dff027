#!/usr/bin/env bash
# Installs, with apt-get, everything a fresh Debian 12 machine needs to build,
# run and test Scribo (editor and shell extension). Safe to run again.
set -euo pipefail

SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
APT=(-o DPkg::Lock::Timeout=300 -o Acquire::Retries=3 -y -q)
# A mirror in mid-sync fails "apt-get update" now and then: try again, and
# go on with the indexes there are if it keeps failing (install then decides).
apt_update() {
  for i in 1 2 3; do
    $SUDO apt-get "${APT[@]}" update && return 0
    echo "install-deps: apt-get update failed (try $i)" >&2; sleep $((i * 10))
  done
  return 0
}

pkgs=(
  build-essential cmake ninja-build ccache pkg-config
  qtbase5-dev qtbase5-dev-tools qtbase5-private-dev libqt5svg5-dev libqt5webkit5-dev
  qttools5-dev qttools5-dev-tools qttranslations5-l10n
  libqt5sql5-sqlite
  xvfb xauth x11-utils imagemagick openbox xdotool
  fonts-dejavu-core fonts-noto-cjk
  locales desktop-file-utils file
  g++-mingw-w64-i686 g++-mingw-w64-x86-64 binutils-mingw-w64
  clang libclang-rt-14-dev
  wine wine64
)

missing=()
for p in "${pkgs[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
need_i386=0
dpkg --print-foreign-architectures | grep -qx i386 || need_i386=1
# Tried once already (see below) and unavailable: do not update again each run.
wine32_tried=${XDG_CACHE_HOME:-$HOME/.cache}/scrb-wine32-unavailable
dpkg-query -W -f='${Status}' wine32:i386 2>/dev/null | grep -q "install ok installed" \
  || [ -e "$wine32_tried" ] || need_i386=1

if [ ${#missing[@]} -gt 0 ] || [ $need_i386 -eq 1 ]; then
  $SUDO dpkg --add-architecture i386
  export DEBIAN_FRONTEND=noninteractive
  apt_update
  $SUDO apt-get "${APT[@]}" install --no-install-recommends "${pkgs[@]}"
  # 32-bit Wine only runs the 32-bit shell extension's tests; an i386 index
  # out of step with amd64 must not stop everything else.
  $SUDO apt-get "${APT[@]}" install --no-install-recommends wine32:i386 \
    || { echo "install-deps: wine32:i386 unavailable; the 32-bit shell extension tests are skipped" >&2
         mkdir -p "$(dirname "$wine32_tried")" && touch "$wine32_tried"; }
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
# Optional: KDE's syntax-highlighting library and KWrite (driven by xdotool),
# only comparison baselines for scripts/bench.sh (SCRB_BENCH_DEPS=1); nothing
# else needs them.
if [ "${SCRB_BENCH_DEPS:-0}" = 1 ]; then
  bench_missing=()
  for p in libkf5syntaxhighlighting-dev kwrite xdotool; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || bench_missing+=("$p")
  done
  if [ ${#bench_missing[@]} -gt 0 ]; then
    export DEBIAN_FRONTEND=noninteractive
    apt_update
    $SUDO apt-get "${APT[@]}" install --no-install-recommends "${bench_missing[@]}" \
      || echo "install-deps: ${bench_missing[*]} unavailable; the benchmark skips those baselines"
  fi
fi
echo "install-deps: done"
