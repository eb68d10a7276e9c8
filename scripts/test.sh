#!/usr/bin/env bash
# Installs what is missing, builds the native and the Windows side, and runs every test:
# native GoogleTest tests of the portable code, then the Windows tests under Wine and Xvfb
# (in an emulated test machine, scripts/vm.sh, where this one cannot run Wine).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
jobs="$(nproc)"
. "$root/scripts/prelude.sh"
kivo_build_native
# The build reports each catalogue module's size as it makes it.
kivo_build_win32 | { grep -E ' bytes \(' || true; }

status=0
echo "== native tests"
ctest --test-dir "$BUILD_DIR/native" --output-on-failure -j "$jobs" || status=1
ctest --test-dir "$BUILD_DIR/win32" -R '^(module_exports_and_imports|release_text_files_have_windows_line_breaks)$' --output-on-failure || status=1

. "$root/scripts/vm.sh"
windows_tests=("$root/scripts/with-wine.sh" "$root/scripts/windows-tests.sh")
if kivo_vm_needed; then
    echo "== this machine cannot run 32-bit x86 programs: Wine runs in an emulated test machine"
    kivo_vm_run "${windows_tests[@]}" || status=1
else
    "${windows_tests[@]}" || status=1
fi
exit $status
