#!/usr/bin/env bash
# Installs the Debian 12 packages the build, the tests and the benchmarks need,
# skipping those already present. Run as root.
set -euo pipefail

packages=(
  cmake g++ make pkg-config
  libgtest-dev libgmock-dev libbenchmark-dev
  clang libclang-rt-14-dev
  libfreetype-dev libfontconfig-dev fonts-dejavu-core
  libjpeg62-turbo-dev libpng-dev
  libgeographiclib-dev libsqlite3-dev libpixman-1-dev
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if ((${#missing[@]})); then
  echo "setup: installing ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}"
else
  echo "setup: all packages present"
fi
