#!/usr/bin/env bash
# Installs the Debian packages that the build and the tests need, only those missing.
# Usage: tools/install_deps.sh [native|all]   (all adds MinGW-w64, Wine and clang's fuzzer runtime)
set -euo pipefail
packages=(cmake ninja-build g++ googletest libgtest-dev)
if [ "${1:-all}" = all ]; then
    packages+=(g++-mingw-w64-x86-64 wine64 clang libclang-rt-14-dev)
fi
missing=()
for package in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' || missing+=("$package")
done
if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    sudo_cmd=""
    [ "$(id -u)" -eq 0 ] || sudo_cmd=sudo
    $sudo_cmd apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo_cmd apt-get install -y -qq "${missing[@]}" >/dev/null
fi
