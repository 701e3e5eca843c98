# Cross build for Windows (32-bit or 64-bit, by the toolchain file): the core, the Win32 shell, Wextor5.exe, the testbed and the
# tests that run under Wine.
add_compile_definitions(WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601 WINVER=0x0601)
add_link_options(-static -static-libgcc -static-libstdc++)

# Two builds of one commit give the same bytes: no link time in the PE headers and no folder
# names of the machine that built them (source and build folders differ from build to build).
option(WEXTOR_REPRODUCIBLE "Programs without time stamps or build paths" ON)
if(WEXTOR_REPRODUCIBLE)
    add_compile_options(-ffile-prefix-map=${CMAKE_SOURCE_DIR}=. -ffile-prefix-map=${CMAKE_BINARY_DIR}=build)
    add_link_options(-Wl,--no-insert-timestamp)
endif()

# A shipped program is padded and checksummed as signing leaves it, so that the built file, the
# installed one and a signed one with its signature removed are the same bytes.
function(wextor_shipped_program target)
    add_custom_command(TARGET ${target} POST_BUILD
        COMMAND bash ${CMAKE_SOURCE_DIR}/scripts/pe-normalize.sh $<TARGET_FILE:${target}> VERBATIM)
endfunction()

set(WINE_RUN ${CMAKE_SOURCE_DIR}/cmake/wine-run.sh)
if(CMAKE_SIZEOF_VOID_P EQUAL 8)
    set(WEXTOR_WINE_ARCH win64)
else()
    set(WEXTOR_WINE_ARCH win32)
endif()
set(WINE_ENV "WEXTOR_WINE_DIR=${CMAKE_BINARY_DIR}/wine;WEXTOR_WINE_ARCH=${WEXTOR_WINE_ARCH}")

add_subdirectory(${CMAKE_SOURCE_DIR}/common ${CMAKE_BINARY_DIR}/common)

# On Windows the core's OS primitives are the shell's own *_win.cpp files, so core and shell are
# one library here (natively the core is a library of its own, with *_posix.cpp primitives).
set(win_libs psapi advapi32 comctl32 comdlg32 shell32 shlwapi gdi32 user32 kernel32 ole32 uuid)
add_library(wextor_win STATIC ${core_sources} ${win_sources})
target_include_directories(wextor_win PUBLIC ${CMAKE_SOURCE_DIR}/src)
target_link_libraries(wextor_win PUBLIC common_core wincommon ${win_libs})
add_library(wextor_core ALIAS wextor_win)

# The version number, written once in the project line, reaches the resources and the manifest.
configure_file(${CMAKE_SOURCE_DIR}/src/res/version.h.in ${CMAKE_BINARY_DIR}/generated/version.h @ONLY)
configure_file(${CMAKE_SOURCE_DIR}/src/res/Wextor5.manifest.in ${CMAKE_BINARY_DIR}/generated/Wextor5.manifest @ONLY)

# The resources go into an object library so that tests of dialogs carry them too. All .rc
# files are compiled as one: icon images are numbered per compilation, so separate ones clash.
file(GLOB rc_sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/src/res/*.rc)
if(rc_sources)
    set(rc_all "")
    foreach(f IN LISTS rc_sources)
        string(APPEND rc_all "#include \"${f}\"\n")
    endforeach()
    file(CONFIGURE OUTPUT ${CMAKE_BINARY_DIR}/wextor_all.rc CONTENT "${rc_all}")
    add_library(wextor_res OBJECT ${CMAKE_BINARY_DIR}/wextor_all.rc)
    # What the .rc files pull in (manifest, icons, cursor) rebuilds them too.
    file(GLOB rc_inputs CONFIGURE_DEPENDS ${CMAKE_BINARY_DIR}/generated/*
         ${CMAKE_SOURCE_DIR}/src/res/*.ico ${CMAKE_SOURCE_DIR}/src/res/*.cur ${CMAKE_SOURCE_DIR}/src/res/*.h)
    set_property(SOURCE ${CMAKE_BINARY_DIR}/wextor_all.rc APPEND PROPERTY OBJECT_DEPENDS ${rc_sources} ${rc_inputs})
    target_include_directories(wextor_res PRIVATE ${CMAKE_BINARY_DIR}/generated ${CMAKE_SOURCE_DIR}/src/res
                               ${CMAKE_SOURCE_DIR}/src)
    set(res_objects $<TARGET_OBJECTS:wextor_res>)
endif()

if(main_source)
    add_executable(Wextor5 WIN32 ${main_source} ${res_objects})
    target_link_libraries(Wextor5 PRIVATE wextor_win)
    wextor_shipped_program(Wextor5)
endif()

# GoogleTest from its sources (Debian's googletest package by default), built here with the
# posix-thread MinGW compilers.
set(WEXTOR_GTEST_SOURCE_DIR /usr/src/googletest CACHE PATH "GoogleTest's source folder")
set(gtest_force_shared_crt OFF CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
add_subdirectory(${WEXTOR_GTEST_SOURCE_DIR} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
foreach(t gtest gtest_main)
    target_compile_options(${t} PRIVATE -w)
endforeach()

# Every Wine test shares the run's prefix, display and wineserver (see wine-run.sh).
function(wextor_wine_test name)
    add_test(NAME ${name} COMMAND ${ARGN})
    set_tests_properties(${name} PROPERTIES ENVIRONMENT "${WINE_ENV}" TIMEOUT 600)
endfunction()

# The core's unit tests once more, as Windows code under Wine: one process, one CTest entry.
file(GLOB unit_sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/unit/*.cpp)
add_executable(unit_tests_win ${unit_sources})
target_link_libraries(unit_tests_win PRIVATE wextor_core gtest_main)
target_compile_definitions(unit_tests_win PRIVATE WEXTOR_TEST_DATA="Z:${CMAKE_SOURCE_DIR}/tests/data")
include(${CMAKE_SOURCE_DIR}/cmake/testpe.cmake)
function(wextor_use_test_pe target)
    if(WEXTOR_TEST_PE_DIR)
        add_dependencies(${target} test_pe_files)
        target_compile_definitions(${target} PRIVATE WEXTOR_TEST_PE_DIR="Z:${WEXTOR_TEST_PE_DIR}")
    endif()
endfunction()
wextor_use_test_pe(unit_tests_win)
wextor_wine_test(unit_tests_win ${WINE_RUN} $<TARGET_FILE:unit_tests_win>)

# Testbed: stand-ins for PGP, mail clients and their drivers, each a small program of its own.
file(GLOB testbed_dirs CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/testbed/*/CMakeLists.txt)
foreach(f IN LISTS testbed_dirs)
    get_filename_component(d ${f} DIRECTORY)
    add_subdirectory(${d})
endforeach()

# Win32 tests: one binary (one Wine process) per file.
file(GLOB win32_tests CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/win32/*_test.cpp)
file(GLOB win32_support CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/win32/support/*.cpp)
add_library(win32_test_support STATIC ${win32_support})
target_include_directories(win32_test_support PUBLIC ${CMAKE_SOURCE_DIR}/tests/win32/support)
target_link_libraries(win32_test_support PUBLIC wextor_win gtest version)
set(desktop_tests pgpstub_test pgpcontrol_test mainpgp_test mfdcaller_test maildrivers_test startup_test
    faults_test dpi_test running_test winop_test common_test lastwindow_test
    catalogue_test
    props_test propspages_test taskicon_test tips_test hotkey_test pgpwait_test)
foreach(f IN LISTS win32_tests)
    get_filename_component(name ${f} NAME_WE)
    add_executable(win32_${name} ${f} ${res_objects})
    target_include_directories(win32_${name} PRIVATE ${CMAKE_SOURCE_DIR}/tests/win32)
    target_link_libraries(win32_${name} PRIVATE win32_test_support)
    target_compile_definitions(win32_${name} PRIVATE
        WEXTOR_TEST_DATA="Z:${CMAKE_SOURCE_DIR}/tests/data"
        WEXTOR_BIN_DIR="Z:${CMAKE_BINARY_DIR}")
    wextor_use_test_pe(win32_${name})
    wextor_wine_test(win32_${name} ${WINE_RUN} $<TARGET_FILE:win32_${name}>)
    # Tests that use the clipboard, PGP's one tray window, WIN.INI or the foreground window, look
    # windows up by title ("PGP Running") or make deep window trees share the desktop with each
    # other and with the end-to-end scenarios: never two at a time.
    if(name IN_LIST desktop_tests)
        set_tests_properties(win32_${name} PROPERTIES RESOURCE_LOCK wine_desktop)
    endif()
endforeach()

# Where a big message's run spends its time (bench/bigmessage.sh runs it under Wine).
add_executable(bigmessage_win ${CMAKE_SOURCE_DIR}/bench/bigmessage_win.cpp)
target_link_libraries(bigmessage_win PRIVATE wextor_win)

# End-to-end scenarios: shell scripts that start Wextor5.exe with the testbed.
add_executable(e2e_unipeek ${CMAKE_SOURCE_DIR}/tests/e2e/unipeek.cpp)
target_link_libraries(e2e_unipeek PRIVATE user32 kernel32 shell32)
target_link_libraries(e2e_unipeek PRIVATE version) # imported as a planted DLL would be taken
set_target_properties(e2e_unipeek PROPERTIES OUTPUT_NAME UniPeek RUNTIME_OUTPUT_DIRECTORY
                      ${CMAKE_BINARY_DIR}/e2e-tools)
add_executable(e2e_hotkeyhelper ${CMAKE_SOURCE_DIR}/tests/e2e/hotkeyhelper.cpp)
target_link_libraries(e2e_hotkeyhelper PRIVATE user32 kernel32)
set_target_properties(e2e_hotkeyhelper PROPERTIES OUTPUT_NAME HotKeyHelper RUNTIME_OUTPUT_DIRECTORY
                      ${CMAKE_BINARY_DIR}/e2e-tools)
add_library(e2e_planted SHARED ${CMAKE_SOURCE_DIR}/tests/e2e/planted/planted.c
                               ${CMAKE_SOURCE_DIR}/tests/e2e/planted/planted.def)
set_target_properties(e2e_planted PROPERTIES OUTPUT_NAME planted PREFIX "" RUNTIME_OUTPUT_DIRECTORY
                      ${CMAKE_BINARY_DIR}/e2e-tools)
file(GLOB e2e_tests CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/e2e/*_test.sh)
foreach(f IN LISTS e2e_tests)
    get_filename_component(name ${f} NAME_WE)
    wextor_wine_test(e2e_${name} bash ${f} ${CMAKE_BINARY_DIR})
    # They share one screen, mouse and tray: one at a time.
    set_tests_properties(e2e_${name} PROPERTIES RESOURCE_LOCK wine_desktop TIMEOUT 300)
endforeach()
# Two prefixes, one for each code page, each made anew.
set_tests_properties(e2e_unicode_test PROPERTIES TIMEOUT 600)

include(${CMAKE_SOURCE_DIR}/cmake/helpfile.cmake)

# The release: two builds give the same bytes, signing (tests/release). Each builds or signs in
# folders of its own; the signing test runs the signed installer in a prefix of its own.
file(GLOB release_tests CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/release/*_test.sh)
foreach(f IN LISTS release_tests)
    get_filename_component(name ${f} NAME_WE)
    wextor_wine_test(release_${name} bash ${f} ${CMAKE_BINARY_DIR})
endforeach()
# Its compiler takes both cores: never beside the desktop tests, whose programs wait for
# windows of other programs only so long.
set_tests_properties(release_reproducible_test PROPERTIES RESOURCE_LOCK wine_desktop)

# The Windows installer, when NSIS is at hand.
find_program(MAKENSIS makensis)
if(MAKENSIS AND main_source AND WEXTOR_HELP_CHM)
    if(CMAKE_SIZEOF_VOID_P EQUAL 8)
        set(setup_exe ${CMAKE_BINARY_DIR}/Wextor5-Setup-x64.exe)
        set(setup_arch -DX64)
    else()
        set(setup_exe ${CMAKE_BINARY_DIR}/Wextor5-Setup.exe)
        set(setup_arch)
    endif()
    # The files keep the commit's time inside the installer.
    add_custom_command(OUTPUT ${setup_exe}
        COMMAND ${WEXTOR_EPOCH_ENV} bash ${CMAKE_SOURCE_DIR}/installer/build-setup.sh ${CMAKE_SOURCE_DIR}/installer/Wextor5.nsi
                ${CMAKE_BINARY_DIR} ${CMAKE_SOURCE_DIR}/dist ${CMAKE_SOURCE_DIR} ${PROJECT_VERSION} ${setup_exe} ${setup_arch}
        DEPENDS Wextor5 FRONTMFD NPADMFD GpgBridge bridge_PGPKeys bridge_PGPTray
                ${CMAKE_SOURCE_DIR}/installer/Wextor5.nsi ${CMAKE_SOURCE_DIR}/installer/build-setup.sh
                ${CMAKE_SOURCE_DIR}/scripts/lib/release.sh ${CMAKE_SOURCE_DIR}/dist/tips.dat
                ${CMAKE_SOURCE_DIR}/dist/DistInfo.Dat ${WEXTOR_HELP_CHM} bridge_helpfile
        COMMENT "Building ${setup_exe}")
    add_custom_target(installer ALL DEPENDS ${setup_exe})
endif()
