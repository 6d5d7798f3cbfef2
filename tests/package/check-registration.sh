#!/usr/bin/env bash
# The editor of an unpacked package registers itself as the automation server with
# /REGSERVER (LocalServer32 then names that file) and removes it with /UNREGSERVER.
# Runs in the test prefix; the tests of the editor's server register their own editor again.
# Usage: check-registration.sh <host path of Tintary.exe>
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
. "$here/../../tools/common.sh"
run() { "$QV_ROOT/tools/wine-run" "$@" </dev/null >/dev/null 2>&1; }
exe=$1
out=$(mktemp); trap 'rm -f "$out"' EXIT
query() {  # <key>: its default value, empty when missing
  "$QV_ROOT/tools/wine-run" reg query "$1" /ve </dev/null >"$out" 2>/dev/null
  sed -n 's/^ *(Default) *REG_SZ *//p' "$out" | tr -d '\r' | head -n 1
}

run "$exe" /REGSERVER || { echo "FAIL: /REGSERVER ended with $?"; exit 1; }
clsid=$(query 'HKCR\TINTARY.Tintarycom\CLSID')
[ -n "$clsid" ] || { echo "FAIL: no ProgID TINTARY.Tintarycom after /REGSERVER"; exit 1; }
command=$(query "HKCR\\CLSID\\$clsid\\LocalServer32")
command=${command#\"}; command=${command%\"}
"$QV_ROOT/tools/wine-run" winepath -u "$command" </dev/null >"$out" 2>/dev/null
registered=$(tr -d '\r' <"$out")
if [ "$(realpath -m "$registered")" != "$(realpath -m "$exe")" ]; then
  echo "FAIL: LocalServer32 is '$command' ($registered), not $exe"; exit 1
fi

run "$exe" /UNREGSERVER || { echo "FAIL: /UNREGSERVER ended with $?"; exit 1; }
[ -z "$(query 'HKCR\TINTARY.Tintarycom\CLSID')" ] || { echo "FAIL: the ProgID is still there"; exit 1; }
echo "registered as $command, then unregistered"
