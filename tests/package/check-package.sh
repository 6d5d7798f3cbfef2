#!/usr/bin/env bash
# Makes the build tree's ZIP package with CPack in <work>, then checks that it holds one
# folder <top> with exactly the given files, and unpacks it to <work>/unpacked.
# Usage: check-package.sh <build tree> <work> <top> <file>...
set -uo pipefail
tree=$1 work=$2 top=$3; shift 3
rm -rf "$work"; mkdir -p "$work"
if ! cpack --config "$tree/CPackConfig.cmake" -B "$work" >"$work/cpack.log" 2>&1; then
  cat "$work/cpack.log"; echo "FAIL: cpack did not make the package"; exit 1
fi
zip=$work/$top.zip
[ -f "$zip" ] || { ls "$work"; echo "FAIL: no $top.zip"; exit 1; }

expected=$(for f in "$@"; do echo "$top/$f"; done | sort)
# Entries that are files; folders end in a slash.
actual=$(unzip -Z1 "$zip" | grep -v '/$' | sort)
if [ "$actual" != "$expected" ]; then
  echo "FAIL: the package holds"; echo "$actual"; echo "instead of"; echo "$expected"; exit 1
fi
folders=$(unzip -Z1 "$zip" | grep '/$' | grep -vx "$top/" || true)
[ -z "$folders" ] || { echo "FAIL: folders besides $top/: $folders"; exit 1; }

mkdir -p "$work/unpacked"
(cd "$work/unpacked" && unzip -q "$zip") || { echo "FAIL: the package does not unpack"; exit 1; }
for f in "$@"; do
  cmp -s "$work/unpacked/$top/$f" "$tree/bin/$f" || { echo "FAIL: $f differs from the build's"; exit 1; }
done
echo "package $top.zip: $*"
