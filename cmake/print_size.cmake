# cmake -DFILE=<path> -P print_size.cmake: prints a built module's size.
file(SIZE "${FILE}" bytes)
get_filename_component(name "${FILE}" NAME)
math(EXPR kib "(${bytes} + 512) / 1024")
message(STATUS "${name}: ${bytes} bytes (${kib} KiB)")
