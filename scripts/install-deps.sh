#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need, when missing.
set -euo pipefail

packages=(
    cmake ninja-build g++ pkg-config
    googletest libgtest-dev libgmock-dev libbenchmark-dev
    libicu-dev
    qt6-base-dev qt6-base-dev-tools qt6-tools-dev qt6-tools-dev-tools qt6-l10n-tools
    qt6-svg-dev libqt6svg6 libgl-dev qt6-translations-l10n xdg-utils
    clang libclang-rt-14-dev llvm
    python3 xvfb xauth time
    # The package test's validators; dpkg-dev, file and binutils let
    # `cpack -G DEB` compute the package's dependencies.
    desktop-file-utils appstream shared-mime-info libxml2-utils man-db groff-base
    dpkg-dev file binutils
)

missing=()
for package in "${packages[@]}"; do
    status=$(dpkg-query -W -f='${Status}' "$package" 2>/dev/null || true)
    [[ "$status" == "install ok installed" ]] || missing+=("$package")
done
[[ ${#missing[@]} -eq 0 ]] && exit 0

echo "Installing: ${missing[*]}"
if [[ $(id -u) -ne 0 ]]; then
    if command -v sudo >/dev/null; then
        exec sudo "$0" "$@"
    fi
    echo "Missing packages and not root: run this script as root." >&2
    exit 1
fi
export DEBIAN_FRONTEND=noninteractive
apt-get update -qq
apt-get install -y -qq --no-install-recommends "${missing[@]}"
