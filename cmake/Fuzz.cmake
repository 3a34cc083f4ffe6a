# libFuzzer targets: every fuzz/<name>_fuzz.cpp becomes the program
# <name>_fuzz in <build>/fuzz, built with a copy of the core compiled for
# coverage feedback, address and undefined-behaviour checks. The seeds of a
# target are in fuzz/corpus/<name>/.
#
#   cmake --build B --target fuzz_targets   builds them
#   cmake --build B --target fuzz           runs each for FUZZ_SECONDS, one
#                                           after the other (fuzz/run_all.sh)
#   ctest --test-dir B -L fuzz              runs each over its seeds only
option(VELMAR_FUZZ "Build the libFuzzer targets (needs clang)" OFF)
if(NOT VELMAR_FUZZ)
    return()
endif()
if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
    message(FATAL_ERROR "VELMAR_FUZZ needs clang: configure with -DCMAKE_CXX_COMPILER=clang++")
endif()

set(FUZZ_SECONDS 600 CACHE STRING "Seconds each fuzz target runs for the fuzz target")

set(velmar_fuzz_checks -fsanitize=address,undefined -fno-sanitize-recover=undefined
                       -fno-omit-frame-pointer)

set(velmar_fuzz_core_sources)
foreach(sub IN LISTS VELMAR_SUBSYSTEMS)
    file(GLOB sources CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/src/${sub}/*.cpp)
    list(APPEND velmar_fuzz_core_sources ${sources})
endforeach()
add_library(velmar_fuzz_core STATIC ${velmar_fuzz_core_sources})
target_include_directories(velmar_fuzz_core PUBLIC ${PROJECT_SOURCE_DIR}/src)
target_compile_options(velmar_fuzz_core PUBLIC ${velmar_fuzz_checks}
                       PRIVATE -fsanitize=fuzzer-no-link)

set(velmar_fuzz_dir ${CMAKE_BINARY_DIR}/fuzz)
file(GLOB fuzz_sources CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/fuzz/*_fuzz.cpp)

# velmar-cli's command line is read with Qt Core's parser: its target takes
# that reader's sources and Qt Core, and is left out where Qt is missing.
set(velmar_fuzz_cli_sources ${PROJECT_SOURCE_DIR}/tools/cli/command_line.cpp
                            ${PROJECT_SOURCE_DIR}/tools/cli/exit_codes.cpp)
find_package(Qt6 QUIET COMPONENTS Core)
if(NOT Qt6Core_FOUND)
    list(FILTER fuzz_sources EXCLUDE REGEX "/cli_arguments_fuzz\\.cpp$")
endif()
set(fuzz_targets)
foreach(source IN LISTS fuzz_sources)
    get_filename_component(target ${source} NAME_WE)
    string(REGEX REPLACE "_fuzz$" "" name ${target})
    add_executable(${target} ${source})
    target_include_directories(${target} PRIVATE ${PROJECT_SOURCE_DIR}/fuzz)
    target_compile_options(${target} PRIVATE -fsanitize=fuzzer)
    target_link_libraries(${target} PRIVATE velmar_fuzz_core)
    target_link_options(${target} PRIVATE -fsanitize=fuzzer ${velmar_fuzz_checks})
    set_target_properties(${target} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${velmar_fuzz_dir})
    if(name STREQUAL "cli_arguments")
        target_sources(${target} PRIVATE ${velmar_fuzz_cli_sources})
        target_link_libraries(${target} PRIVATE Qt6::Core)
    endif()
    list(APPEND fuzz_targets ${target})

    # The seeds and every input kept for a fixed fault, run once each.
    enable_testing()
    add_test(NAME ${target}_corpus
             COMMAND ${target} -runs=0 ${PROJECT_SOURCE_DIR}/fuzz/corpus/${name})
    set_tests_properties(${target}_corpus PROPERTIES LABELS fuzz TIMEOUT 300)
endforeach()

# Builds the targets without running them.
add_custom_target(fuzz_targets DEPENDS ${fuzz_targets})

add_custom_target(fuzz
    COMMAND ${CMAKE_COMMAND} -E env FUZZ_SECONDS=${FUZZ_SECONDS}
            ${PROJECT_SOURCE_DIR}/fuzz/run_all.sh ${velmar_fuzz_dir}
    DEPENDS ${fuzz_targets}
    USES_TERMINAL
    COMMENT "Fuzzing each target for ${FUZZ_SECONDS} s")
