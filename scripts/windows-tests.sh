#!/usr/bin/env bash
# The Windows side of the tests, on a built tree, with Wine ready (scripts/with-wine.sh):
# the catalogue validation, then the Windows-side ctest programs. scripts/test.sh runs it
# here, or inside the test machine of scripts/vm.sh where this machine cannot run Wine.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
BUILD_DIR="${BUILD_DIR:-$root/build}"

status=0
echo "== catalogue validation under Wine"
ctest --test-dir "$BUILD_DIR/win32" -R '^catalogue_validation$' --verbose |
    sed -n 's/^[0-9][0-9]*: //p' | grep -vE '^(Test command|Working Directory|Test timeout)' || status=1
echo "== Windows tests under Wine"
ctest --test-dir "$BUILD_DIR/win32" -E '^(catalogue_validation|module_exports_and_imports|release_text_files_have_windows_line_breaks)$' \
      --output-on-failure || status=1
exit $status
