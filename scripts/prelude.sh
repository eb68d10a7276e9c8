# Sourced by the scripts that build: the build folder, what the machine still lacks, and one
# way to configure and build each side, so that every script builds the same tree.
# Expects root (the repository) to be set.
BUILD_DIR="${BUILD_DIR:-$root/build}"
export BUILD_DIR
"$root/scripts/setup.sh"

# kivo_build_native: the portable code and its tests, with the sanitizers.
kivo_build_native() {
    cmake -S "$root" -B "$BUILD_DIR/native" -DKIVO_WERROR=ON >/dev/null
    cmake --build "$BUILD_DIR/native" -j "$(nproc)" >/dev/null
}

# kivo_build_win32 [TARGET]: the add-in, its catalogues and the Windows programs; the build's
# own output (each catalogue module's size) goes to standard output.
kivo_build_win32() {
    cmake -S "$root" -B "$BUILD_DIR/win32" -DKIVO_WERROR=ON \
          -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-i686-mingw32.cmake" >/dev/null
    cmake --build "$BUILD_DIR/win32" -j "$(nproc)" ${1:+--target "$1"}
}
