# velmar-cli: the command line over the core and the platform layer. Qt Core
# only: no widgets, no display.
file(GLOB velmar_cli_sources CONFIGURE_DEPENDS
    ${PROJECT_SOURCE_DIR}/tools/cli/*.cpp ${PROJECT_SOURCE_DIR}/tools/cli/*.h)
if(velmar_cli_sources)
    add_executable(velmar-cli ${velmar_cli_sources})
    set_target_properties(velmar-cli PROPERTIES AUTOMOC ON)
    target_link_libraries(velmar-cli PRIVATE velmar_core velmar_platform Qt6::Core)
    target_compile_definitions(velmar-cli PRIVATE VELMAR_VERSION="${PROJECT_VERSION}")
    add_dependencies(velmar-cli stage_data)
endif()

# Its timings against the virtual radio, run by hand (bench/, never a test):
#   build/bench/velmar_cli_bench
if(TARGET velmar-cli AND TARGET velmar-vradio)
    add_executable(velmar_cli_bench ${PROJECT_SOURCE_DIR}/bench/cli_timing.cpp)
    target_link_libraries(velmar_cli_bench PRIVATE velmar_core)
    set_target_properties(velmar_cli_bench PROPERTIES RUNTIME_OUTPUT_DIRECTORY
                                                      ${CMAKE_BINARY_DIR}/bench)
    add_dependencies(velmar_cli_bench velmar-cli velmar-vradio)
endif()
