# The Qt side: the windows (the ui/ folder of each subsystem, beside the
# platform layer of VelmarPlatform.cmake), and the programs built on them.
find_package(Qt6 REQUIRED COMPONENTS Widgets SerialPort Multimedia PrintSupport Test)
set(CMAKE_AUTOMOC ON)

file(GLOB velmar_ui_sources CONFIGURE_DEPENDS
    ${PROJECT_SOURCE_DIR}/src/shell/ui/*.cpp
    ${PROJECT_SOURCE_DIR}/src/model/ui/*.cpp
    ${PROJECT_SOURCE_DIR}/src/channels/ui/*.cpp
    ${PROJECT_SOURCE_DIR}/src/link/ui/*.cpp
    ${PROJECT_SOURCE_DIR}/src/settings/ui/*.cpp)
file(GLOB velmar_ui_headers CONFIGURE_DEPENDS
    ${PROJECT_SOURCE_DIR}/src/shell/ui/*.h
    ${PROJECT_SOURCE_DIR}/src/model/ui/*.h
    ${PROJECT_SOURCE_DIR}/src/channels/ui/*.h
    ${PROJECT_SOURCE_DIR}/src/link/ui/*.h
    ${PROJECT_SOURCE_DIR}/src/settings/ui/*.h)
list(REMOVE_ITEM velmar_ui_sources ${VELMAR_PLATFORM_SOURCES})
list(REMOVE_ITEM velmar_ui_headers ${VELMAR_PLATFORM_SOURCES})
add_library(velmar_ui STATIC ${velmar_ui_sources} ${velmar_ui_headers})
target_link_libraries(velmar_ui PUBLIC velmar_core velmar_platform Qt6::Widgets Qt6::Multimedia
    Qt6::PrintSupport)

add_executable(Velmar ${PROJECT_SOURCE_DIR}/src/app/velmar_main.cpp)
target_link_libraries(Velmar PRIVATE velmar_ui)
add_dependencies(Velmar stage_data)

file(GLOB velmar_factory_ui_sources CONFIGURE_DEPENDS
    ${PROJECT_SOURCE_DIR}/src/factory/ui/*.cpp ${PROJECT_SOURCE_DIR}/src/factory/ui/*.h)
if(velmar_factory_ui_sources AND EXISTS ${PROJECT_SOURCE_DIR}/src/app/factory_main.cpp)
    add_library(velmar_factory_ui STATIC ${velmar_factory_ui_sources})
    target_link_libraries(velmar_factory_ui PUBLIC velmar_ui)
    add_executable(VelmarSetFactory ${PROJECT_SOURCE_DIR}/src/app/factory_main.cpp)
    target_link_libraries(VelmarSetFactory PRIVATE velmar_factory_ui)
endif()

file(GLOB velmar_vradio_sources CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/tools/vradio/*.cpp)
if(velmar_vradio_sources)
    add_executable(velmar-vradio ${velmar_vradio_sources})
    target_link_libraries(velmar-vradio PRIVATE velmar_core)
endif()

# The demo launcher: velmar-vradio with the sample memory and Velmar on it, in
# a private configuration. It keeps the radio's number in the port map.
file(GLOB velmar_demo_sources CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/tools/demo/*.cpp)
if(velmar_demo_sources AND TARGET velmar-vradio)
    add_executable(velmar-demo ${velmar_demo_sources}
                               ${PROJECT_SOURCE_DIR}/src/link/ui/com_port_map.cpp)
    target_link_libraries(velmar-demo PRIVATE velmar_core)
    add_dependencies(velmar-demo Velmar velmar-vradio stage_data)
endif()
