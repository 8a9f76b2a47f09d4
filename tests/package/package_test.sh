#!/usr/bin/env bash
# Builds the release zip and checks what is in it: exactly Tolvi.exe, the
# users' README, the licence and the program's checksum, the program as
# shipped (the built one without its debug sections), the texts with CRLF
# line ends, a checksum file that sha256sum -c accepts, and the same bytes
# again from a second build that relinks the program and packs anew under
# another time zone and umask; the same of Tolvi.msi, whose deferred actions
# must lie where Windows runs them.
# usage: package_test.sh CMAKE BUILD_DIR VERSION ZIP SHIPPED.exe BUILT.exe OBJDUMP SOURCE_DIR
set -u
source "$(dirname "$(realpath "$0")")/../support/checks.sh"
cmake=$1
build=$2
version=$3
zip=$4
shipped=$5
exe=$6
objdump=$7
source=$8
name=$(basename "$zip")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

package() {
  "$cmake" --build "$build" --target tolvi_package >"$work/build.log" 2>&1 || {
    cat "$work/build.log"
    echo "FAIL building tolvi_package"
    exit 1
  }
}

package
check "zip and checksum file in the build folder" "$(ls "$zip" "$zip.sha256" 2>&1)" "$build/Tolvi-$version-win64.zip
$build/Tolvi-$version-win64.zip.sha256"
check "entries, in order" "$("$cmake" -E tar tf "$zip" 2>&1)" "Tolvi.exe
README.txt
LICENSE.txt
Tolvi.exe.sha256"
check "modes" "$("$cmake" -E tar tvf "$zip" 2>&1 | awk '{ print $1, $NF }')" "-rwxr-xr-x Tolvi.exe
-rw-r--r-- README.txt
-rw-r--r-- LICENSE.txt
-rw-r--r-- Tolvi.exe.sha256"

mkdir "$work/out"
(cd "$work/out" && "$cmake" -E tar xf "$zip")
check_same "Tolvi.exe is the shipped program" "$work/out/Tolvi.exe" "$shipped"
debug_sections() { "$objdump" -h "$1" | awk '$2 ~ /^\.debug/ { n++ } END { print n + 0 }'; }
check "Tolvi.exe has no debug sections" "$(debug_sections "$work/out/Tolvi.exe")" 0
check "the built program keeps them" "$([ "$(debug_sections "$exe")" -gt 0 ] && echo yes)" yes
sed 's/$/\r/' "$source/LICENSE" >"$work/LICENSE.crlf"
readme=$work/out/README.txt
check "README.txt: its title, CRLF line ends, no picture or build step" \
  "$(head -n 1 "$readme") $(grep -vc $'\r$' "$readme") $(grep -c '](\|scripts/' "$readme")" $'# Tolvi\r 0 0'
check "Tolvi.exe.sha256" "$(cd "$work/out" && sha256sum -c Tolvi.exe.sha256 2>&1)" "Tolvi.exe: OK"
check_same "LICENSE.txt is LICENSE with CRLF" "$work/out/LICENSE.txt" "$work/LICENSE.crlf"

msi=${zip%.zip}.msi
# Wine installs a deferred custom action sequenced outside InstallInitialize
# to InstallFinalize; Windows refuses the package (error 2762).
misplaced() {
  msiinfo export "$msi" CustomAction | awk -F'\t' 'NR > 3 && int($2 / 1024) % 2 == 1 { print $1 }' >"$work/deferred"
  msiinfo export "$msi" InstallExecuteSequence | awk -F'\t' -v list="$work/deferred" '
    BEGIN { while ((getline name <list) > 0) deferred[name] = 1 }
    NR > 3 { seq[$1] = $3 }
    END { for (a in deferred) if (!(a in seq) || seq[a] <= seq["InstallInitialize"] || seq[a] >= seq["InstallFinalize"]) print a }'
}
check "the MSI's deferred actions: each between InstallInitialize and InstallFinalize" \
  "$(misplaced; wc -l <"$work/deferred")" 3
check "the MSI's sha256sum -c" "$(cd "$(dirname "$msi")" && sha256sum -c "$(basename "$msi").sha256" 2>&1)" \
  "$(basename "$msi"): OK"

hash=$(sha256sum "$zip" | cut -d' ' -f1)
check "checksum file" "$(cat "$zip.sha256")" "$hash  $name"
check "sha256sum -c" "$(cd "$(dirname "$zip")" && sha256sum -c "$name.sha256" 2>&1)" "$name: OK"

# Everything made again from scratch, later than the 2 s steps of zip
# times; the relinked program keeps its mode.
mode=$(stat -c %a "$exe")
cp "$exe" "$work/Tolvi.first.exe"
cp "$shipped" "$work/Tolvi.shipped.exe"
cp "$zip" "$work/first.zip"
cp "$msi" "$work/first.msi"
rm -f "$exe" "$shipped" "$zip" "$zip.sha256" "$msi"
sleep 2
(umask 077 && export TZ=XYZ-14 && package) || exit 1
chmod "$mode" "$exe" "$shipped"
check_same "relinked Tolvi.exe is the same" "$exe" "$work/Tolvi.first.exe"
check_same "shipped Tolvi.exe is the same" "$shipped" "$work/Tolvi.shipped.exe"
check_same "second zip is the same" "$zip" "$work/first.zip"
check "second checksum file is the same" "$(cat "$zip.sha256")" "$hash  $name"
check_same "second MSI is the same" "$msi" "$work/first.msi"

if [ "$failures" -eq 0 ]; then
  echo "package: all checks passed"
else
  echo "package: $failures checks failed"
  exit 1
fi
