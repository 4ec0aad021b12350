#!/usr/bin/env bash
# Installs what the build and the tests need on Debian 12, only when it is missing.
# Usage: scripts/deps.sh native|windows|all
set -euo pipefail

want=${1:-all}
pkgs=()
need() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q 'install ok installed' || pkgs+=("$1"); }

need cmake; need ninja-build; need g++; need make; need libgtest-dev; need libgmock-dev; need googletest
if [ "$want" != native ]; then
    need g++-mingw-w64-x86-64-posix; need binutils-mingw-w64-x86-64
    need wine; need wine64; need xvfb; need xauth; need imagemagick; need fonts-wine
fi

if [ ${#pkgs[@]} -gt 0 ]; then
    echo "Installing: ${pkgs[*]}"
    sudo=""
    [ "$(id -u)" -eq 0 ] || sudo=sudo
    export DEBIAN_FRONTEND=noninteractive
    $sudo apt-get update -qq
    $sudo apt-get install -y -qq --no-install-recommends "${pkgs[@]}" >/dev/null
fi
