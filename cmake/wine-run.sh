#!/bin/sh
# Runs one cross-built program under Wine. The prefix lives in the build folder
# (KIVO_WINEPREFIX, made by kivo_make_prefix in scripts/wine-env.sh); the timeout is the outer watchdog
# in case a program's own watchdog cannot fire.
: "${KIVO_WINEPREFIX:?KIVO_WINEPREFIX is not set: run the tests through scripts/test.sh}"
export WINEPREFIX="$KIVO_WINEPREFIX"
export WINEDEBUG="${WINEDEBUG:--all}"
exec timeout -k 5 "${KIVO_RUN_TIMEOUT:-1800}" wine "$@"
