# Native build: the portable core, its unit tests, fuzz targets and benchmarks.
if(WEXTOR_FUZZ)
    set(WEXTOR_SANITIZE OFF)
    add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=undefined -g -O1)
    add_link_options(-fsanitize=address,undefined)
elseif(WEXTOR_SANITIZE)
    add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer)
    add_link_options(-fsanitize=address,undefined)
endif()

add_subdirectory(${CMAKE_SOURCE_DIR}/common ${CMAKE_BINARY_DIR}/common)

add_library(wextor_core STATIC ${core_sources} ${posix_sources})
target_include_directories(wextor_core PUBLIC ${CMAKE_SOURCE_DIR}/src)
target_link_libraries(wextor_core PUBLIC common_core)

if(WEXTOR_FUZZ)
    file(GLOB fuzz_sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/fuzz/fuzz_*.cpp)
    foreach(f IN LISTS fuzz_sources)
        get_filename_component(name ${f} NAME_WE)
        add_executable(${name} ${f})
        target_link_libraries(${name} PRIVATE wextor_core)
        target_link_options(${name} PRIVATE -fsanitize=fuzzer)
        # CI runs the committed seed corpus once; longer runs go through scripts/fuzz.sh.
        string(REPLACE "fuzz_" "" corpus ${name})
        add_test(NAME ${name}_seeds
                 COMMAND ${name} -runs=0 ${CMAKE_SOURCE_DIR}/tests/fuzz/corpus/${corpus})
    endforeach()
    return()
endif()

find_package(GTest REQUIRED)
include(GoogleTest)
file(GLOB unit_sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/unit/*.cpp)
add_executable(unit_tests ${unit_sources})
target_link_libraries(unit_tests PRIVATE wextor_core GTest::gtest_main)
target_compile_definitions(unit_tests PRIVATE WEXTOR_TEST_DATA="${CMAKE_SOURCE_DIR}/tests/data")
gtest_discover_tests(unit_tests DISCOVERY_TIMEOUT 30)

# The help file is checked against the contexts the program and the tips file ask for.
include(${CMAKE_SOURCE_DIR}/cmake/helpfile.cmake)
target_compile_definitions(unit_tests PRIVATE WEXTOR_DIST_DIR="${CMAKE_SOURCE_DIR}/dist")
if(WEXTOR_HELP_CHM)
    add_dependencies(unit_tests helpfile)
    target_compile_definitions(unit_tests PRIVATE WEXTOR_HELP_CHM="${WEXTOR_HELP_CHM}")
endif()

# Version-resource tests read tiny PE files that the cross tools make, when they are there.
include(${CMAKE_SOURCE_DIR}/cmake/testpe.cmake)
if(WEXTOR_TEST_PE_DIR)
    add_dependencies(unit_tests test_pe_files)
    target_compile_definitions(unit_tests PRIVATE WEXTOR_TEST_PE_DIR="${WEXTOR_TEST_PE_DIR}")
endif()

if(WEXTOR_BENCH)
    file(GLOB bench_sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/bench/bench_*.cpp)
    foreach(f IN LISTS bench_sources)
        get_filename_component(name ${f} NAME_WE)
        add_executable(${name} ${f})
        target_link_libraries(${name} PRIVATE wextor_core)
        target_compile_options(${name} PRIVATE -O2)
    endforeach()
endif()
