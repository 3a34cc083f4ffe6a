# Benchmarks of the core (Google Benchmark): built when the library is there,
# run by hand, never part of the tests.
find_package(benchmark QUIET)
file(GLOB velmar_bench_sources CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/bench/*_bench.cpp)
if(benchmark_FOUND AND velmar_bench_sources)
    foreach(source IN LISTS velmar_bench_sources)
        get_filename_component(name ${source} NAME_WE)
        add_executable(${name} ${source})
        target_link_libraries(${name} PRIVATE velmar_core benchmark::benchmark)
        set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bench)
    endforeach()
endif()
