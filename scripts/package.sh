#!/usr/bin/env bash
# Builds the release package of Tolvi for Windows, Tolvi-<version>-win64.zip
# and Tolvi-<version>-win64.msi with their checksum files, and prints where
# they are.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/lib/common.sh
require_packages "${TOLVI_PACKAGES[@]}"

step "build: windows package"
cmake --preset windows >/dev/null
cmake --build --preset windows --target tolvi_package

# The zip is named after the project's major and minor version.
version=$(sed -nE 's/^project\(Tolvi VERSION ([0-9]+)\.([0-9]+).*/\1.\2/p' CMakeLists.txt)
folder=$(pwd)/build/windows
step "package"
for name in "Tolvi-$version-win64.zip" "Tolvi-$version-win64.msi"; do
  [ -n "$version" ] && [ -f "$folder/$name" ] || { echo "no $name in $folder" >&2; exit 1; }
  (cd "$folder" && sha256sum --quiet -c "$name.sha256")
  echo "$folder/$name"
  echo "$folder/$name.sha256"
done
