# Shared settings for the project's scripts: paths, targets and the Wine environment.
# Sourced by tools/setup, tools/build, tools/test and tools/run.

QV_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
QV_BUILD=${QV_BUILD:-$QV_ROOT/build}
QV_DEPS=$QV_BUILD/deps
QV_TARGETS="x86_64 i686"
QV_WINE=/usr/lib/wine/wine64
QV_WINESERVER=/usr/lib/wine/wineserver

export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-"mscoree,mshtml="}

qv_triple() { echo "$1-w64-mingw32"; }

# QV_JOBS caps the parallel jobs when several builds share the machine.
qv_jobs() { echo "${QV_JOBS:-$(nproc 2>/dev/null || echo 4)}"; }
