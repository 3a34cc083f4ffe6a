# The platform layer that needs no display: the serial line, the port list
# and the COM numbers, the password's code page. The windows and velmar-cli
# share it; it links Qt Core and Qt Serial Port only.
find_package(Qt6 REQUIRED COMPONENTS Core SerialPort)

set(velmar_platform_files serial_link com_port_map serial_ports password_ansi)
set(VELMAR_PLATFORM_SOURCES)
foreach(name IN LISTS velmar_platform_files)
    list(APPEND VELMAR_PLATFORM_SOURCES ${PROJECT_SOURCE_DIR}/src/link/ui/${name}.cpp
                                        ${PROJECT_SOURCE_DIR}/src/link/ui/${name}.h)
endforeach()
add_library(velmar_platform STATIC ${VELMAR_PLATFORM_SOURCES})
set_target_properties(velmar_platform PROPERTIES AUTOMOC ON)
target_link_libraries(velmar_platform PUBLIC velmar_core Qt6::Core Qt6::SerialPort)
