// Bounded text helpers for the fixed zero-filled buffers used throughout the add-in.
// Portable: no Windows header.
#pragma once

#include <cstddef>

// Copies at most size - 1 bytes of src and always terminates. Returns true when all of src fit.
inline bool CopyText(char* dst, std::size_t size, const char* src) {
    if (size == 0)
        return false;
    std::size_t i = 0;
    for (; src[i] != '\0'; ++i) {
        if (i + 1 >= size) {
            dst[i] = '\0';
            return false;
        }
        dst[i] = src[i];
    }
    dst[i] = '\0';
    return true;
}

// Appends src to the zero-terminated text in dst. On overflow dst is left as it was and
// false is returned, so a caller never works with a cut path.
inline bool AppendText(char* dst, std::size_t size, const char* src) {
    std::size_t used = 0;
    while (used < size && dst[used] != '\0')
        ++used;
    if (used >= size)
        return false;
    std::size_t n = 0;
    while (src[n] != '\0')
        ++n;
    if (used + n >= size)
        return false;
    for (std::size_t i = 0; i <= n; ++i)
        dst[used + i] = src[i];
    return true;
}

// Cuts a file path after its last backslash, keeping the folder with its trailing backslash,
// and zeroes the rest of the buffer. A path without a backslash names no folder: it becomes
// empty, and false is returned.
inline bool KeepFolder(char* path, std::size_t size) {
    std::size_t end = 0; // just past the last backslash
    for (std::size_t i = 0; i < size && path[i] != '\0'; ++i)
        if (path[i] == '\\')
            end = i + 1;
    for (std::size_t i = end; i < size; ++i)
        path[i] = '\0';
    return end > 0;
}

template <std::size_t N> bool CopyText(char (&dst)[N], const char* src) {
    return CopyText(dst, N, src);
}
template <std::size_t N> bool AppendText(char (&dst)[N], const char* src) {
    return AppendText(dst, N, src);
}
