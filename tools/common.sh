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
