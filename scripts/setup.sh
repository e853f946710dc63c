#!/usr/bin/env bash
# Installs the Debian packages the suite needs, only those that are missing.
set -euo pipefail
packages=(g++ cmake ninja-build pkg-config locales libgtest-dev libgmock-dev libbenchmark-dev
          qt6-base-dev libsdl2-mixer-dev timgm6mb-soundfont fonts-ipafont-gothic xvfb xdotool
          libxcb1-dev x11-utils x11-apps libtinygltf-dev nlohmann-json3-dev libtinyobjloader-dev libassimp-dev
          clang libclang-rt-14-dev desktop-file-utils shared-mime-info libxml2-utils dpkg-dev)
# node and npm only when the machine has no npm of its own: Debian's nodejs
# conflicts with a node installed otherwise.
command -v npm >/dev/null 2>&1 || packages+=(nodejs npm)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  echo "Installing: ${missing[*]}"
  $sudo apt-get update -q
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q --no-install-recommends "${missing[@]}"
fi

# Numbers in files must not follow the user's locale: the tests check that
# under a comma-decimal locale, which is generated here when missing.
if ! locale -a 2>/dev/null | grep -qi '^de_DE\.utf-\?8$'; then
  sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  $sudo localedef -i de_DE -f UTF-8 de_DE.UTF-8 || echo "note: could not generate de_DE.UTF-8; its tests will be skipped"
fi

# The Khronos glTF validator for the exchange tests, in a local folder
# (build-tools/node_modules); the tests skip with a message without it.
cd "$(dirname "$0")/.."
if [ ! -d build-tools/node_modules/gltf-validator ] && command -v npm >/dev/null 2>&1; then
  mkdir -p build-tools
  npm install --prefix build-tools --no-audit --no-fund gltf-validator@2.0.0-dev.3.10 ||
    echo "note: could not install gltf-validator; the glTF validation tests will be skipped"
fi
