# Line and branch coverage of everything the build compiles (tools/coverage.sh
# runs the test suite on such a build and reports on the core). Without
# optimisation, so that every line and branch of the source is one of the
# program.
option(VELMAR_COVERAGE "Build everything with gcc's coverage counters" OFF)
if(NOT VELMAR_COVERAGE)
    return()
endif()
if(VELMAR_SANITIZE)
    message(FATAL_ERROR "VELMAR_COVERAGE and VELMAR_SANITIZE are separate builds")
endif()
if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
    message(FATAL_ERROR "VELMAR_COVERAGE needs gcc (gcovr reads gcc's counters)")
endif()

add_compile_options(--coverage -O0)
add_link_options(--coverage)
# Tests whose forked children end with _exit() write the children's counters
# themselves.
add_compile_definitions(VELMAR_COVERAGE)
