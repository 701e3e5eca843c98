# Three tiny PE files for the version-resource tests, made at build time with the MinGW cross
# tools: one with block "080904E4", one with "040904b0", one without version information.
# Sets WEXTOR_TEST_PE_DIR (empty when the tools are missing) and the target test_pe_files.
if(WIN32)
    set(pe_windres ${CMAKE_RC_COMPILER})
    set(pe_gcc ${CMAKE_C_COMPILER})
else()
    find_program(pe_windres NAMES i686-w64-mingw32-windres x86_64-w64-mingw32-windres)
    find_program(pe_gcc NAMES i686-w64-mingw32-gcc x86_64-w64-mingw32-gcc)
endif()
# 32-bit symbols carry the stdcall decoration, 64-bit ones none.
if(pe_gcc MATCHES "x86_64")
    set(pe_entry Entry)
else()
    set(pe_entry _Entry@0)
endif()

set(WEXTOR_TEST_PE_DIR "")
if(pe_windres AND pe_gcc)
    set(WEXTOR_TEST_PE_DIR ${CMAKE_BINARY_DIR}/testpe)
    set(pe_src ${CMAKE_SOURCE_DIR}/tests/data/version)
    set(pe_files)
    file(MAKE_DIRECTORY ${WEXTOR_TEST_PE_DIR})
    foreach(name british american plain)
        set(out ${WEXTOR_TEST_PE_DIR}/${name}.exe)
        set(objects)
        if(NOT name STREQUAL plain)
            set(objects ${WEXTOR_TEST_PE_DIR}/${name}.res.o)
            add_custom_command(OUTPUT ${objects}
                COMMAND ${pe_windres} ${pe_src}/${name}.rc -O coff -o ${objects}
                DEPENDS ${pe_src}/${name}.rc VERBATIM)
        endif()
        add_custom_command(OUTPUT ${out}
            COMMAND ${pe_gcc} -nostdlib -Wl,--entry=${pe_entry} -s -o ${out} ${pe_src}/tiny.c
                    ${objects}
            DEPENDS ${pe_src}/tiny.c ${objects} VERBATIM)
        list(APPEND pe_files ${out})
    endforeach()
    add_custom_target(test_pe_files ALL DEPENDS ${pe_files})
else()
    message(STATUS "MinGW-w64 windres/gcc not found: version-resource file tests skip")
endif()
