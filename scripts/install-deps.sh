#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need (with --packaging, also those of
# scripts/check-package.sh); does nothing when all are present.
set -euo pipefail
packages=(build-essential cmake ninja-build pkg-config file python3
  libyaml-cpp-dev zlib1g-dev qt6-base-dev qt6-serialport-dev qt6-tools-dev qt6-l10n-tools qt6-translations-l10n libgtest-dev libbenchmark-dev
  fonts-wqy-microhei xvfb xauth xdotool imagemagick socat clang libclang-rt-14-dev poppler-utils)
# scripts/check-package.sh also needs the validators and what renders the icons.
if [ "${1:-}" = "--packaging" ]; then
  packages+=(dpkg-dev desktop-file-utils appstream lintian man-db librsvg2-bin shared-mime-info)
fi
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
echo "Installing: ${missing[*]}"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
