# Resource-only Windows modules that carry a message table, made from a message source (.mc,
# UTF-8, compiled to 8-bit Windows-1252 text) or from a resource script with inline data (.rc).
#
#   kivo_add_message_module(<target> SOURCE <file.mc|file.rc>
#                           OUTPUT_DIRECTORY <dir> OUTPUT_NAME <name without .dll>)
function(kivo_add_message_module target)
    cmake_parse_arguments(ARG "" "SOURCE;OUTPUT_DIRECTORY;OUTPUT_NAME" "" ${ARGN})
    get_filename_component(source "${ARG_SOURCE}" ABSOLUTE)
    get_filename_component(extension "${source}" LAST_EXT)
    get_filename_component(stem "${source}" NAME_WE)
    set(work "${CMAKE_CURRENT_BINARY_DIR}/${target}.dir-mc")
    if(extension STREQUAL ".mc")
        set(rc "${work}/${stem}.rc")
        add_custom_command(
            OUTPUT "${rc}"
            COMMAND ${CMAKE_COMMAND} -E make_directory "${work}"
            COMMAND ${CMAKE_COMMAND} -DIN=${source} -DOUT=${work}/${stem}.mc
                    -P ${KIVO_CMAKE_DIR}/crlf.cmake
            COMMAND ${CMAKE_MC_COMPILER} -a -A -C 65001 -O 1252 -b
                    -r "${work}" -h "${work}" "${work}/${stem}.mc"
            DEPENDS "${source}" ${KIVO_CMAKE_DIR}/crlf.cmake
            COMMENT "Compiling messages of ${ARG_OUTPUT_NAME}.dll"
            VERBATIM)
    else()
        set(rc "${source}")
    endif()
    add_library(${target} SHARED "${rc}")
    set_target_properties(${target} PROPERTIES
        PREFIX "" OUTPUT_NAME "${ARG_OUTPUT_NAME}" LINKER_LANGUAGE C
        RUNTIME_OUTPUT_DIRECTORY "${ARG_OUTPUT_DIRECTORY}")
    target_include_directories(${target} PRIVATE "${work}")
    # No code and no entry point: the module is only ever mapped as data.
    target_link_options(${target} PRIVATE -nostdlib -Wl,-e,0)
    set_property(TARGET ${target} PROPERTY LINK_LIBRARIES "")
endfunction()
