# Shared settings for the project's scripts: paths, targets and the Wine environment.
# Sourced by tools/setup, tools/build, tools/test and tools/run.

QV_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
QV_BUILD=${QV_BUILD:-$QV_ROOT/build}
QV_DEPS=$QV_BUILD/deps
QV_TARGETS="x86_64 i686"
# Every tree: the portable cores natively in 64 and in 32 bits, then the Windows targets.
QV_TREES_ALL="native native32 $QV_TARGETS"
QV_WINE=/usr/lib/wine/wine64
QV_WINESERVER=/usr/lib/wine/wineserver

export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-"mscoree,mshtml="}

qv_triple() { echo "$1-w64-mingw32"; }

# QV_JOBS caps the parallel jobs when several builds share the machine.
qv_jobs() { echo "${QV_JOBS:-$(nproc 2>/dev/null || echo 4)}"; }

# A Wine prefix as the project's programs expect it: made if missing, every program of it
# inside one virtual desktop of 1280 x 1024 (captions drawn, full-screen mode switches work),
# and Wine's own TrueType fonts in its Fonts folder, which Wine as Debian installs it does
# not find by itself (caption buttons and Tahoma need them).
qv_prepare_prefix() {  # <prefix>
  local prefix=$1 made=0
  if [ ! -f "$prefix/system.reg" ]; then
    WINEPREFIX=$prefix "$QV_WINE" wineboot -i </dev/null >/dev/null 2>&1
    WINEPREFIX=$prefix "$QV_WINE" reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f </dev/null >/dev/null 2>&1
    WINEPREFIX=$prefix "$QV_WINE" reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1280x1024 /f </dev/null >/dev/null 2>&1
    made=1
  fi
  local fonts=$prefix/drive_c/windows/Fonts f
  mkdir -p "$fonts"
  for f in /usr/share/wine/fonts/*.ttf; do
    [ -f "$fonts/$(basename "$f")" ] || cp "$f" "$fonts/"
  done
  if [ $made -eq 1 ]; then
    WINEPREFIX=$prefix "$QV_WINESERVER" -k >/dev/null 2>&1
    WINEPREFIX=$prefix "$QV_WINESERVER" -w >/dev/null 2>&1
  fi
  return 0
}

# The value of a registry key's default entry in the current prefix; empty when missing.
qv_reg_default() {  # <key>
  local out
  out=$("$QV_WINE" reg query "$1" /ve </dev/null 2>/dev/null) || return 0
  echo "$out" | sed -n 's/^ *(Default) *REG_SZ *//p' | tr -d '\r' | head -n 1
}

# Registers the palette editor <exe> (a host path) as the automation server of the current
# prefix with its own /REGSERVER, unless the registration already names that file: the
# explorer's "Tintary" menu starts whatever LocalServer32 names.
qv_register_tintary() {  # <exe>
  local exe=$1 clsid command registered=""
  clsid=$(qv_reg_default 'HKCR\TINTARY.Tintarycom\CLSID')
  if [ -n "$clsid" ]; then
    command=$(qv_reg_default "HKCR\\CLSID\\$clsid\\LocalServer32")
    command=${command#\"}; command=${command%\"}
    [ -n "$command" ] && registered=$("$QV_WINE" winepath -u "$command" 2>/dev/null | tr -d '\r' || true)
  fi
  if [ -n "$registered" ] && [ "$(realpath -m "$registered")" = "$(realpath -m "$exe")" ]; then
    return 0
  fi
  echo "run: registering $(basename "$exe") as the palette editor's automation server"
  if ! "$QV_WINE" "$exe" /REGSERVER </dev/null >/dev/null 2>&1; then
    echo "run: $exe /REGSERVER failed"
    return 1
  fi
}
