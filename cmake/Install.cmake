# `cmake --install` lays the programs out as file_locations.cpp expects them:
# executables in <prefix>/bin, their read-only data in <prefix>/share/velmar
# (base folder: Version.ini, language/mysetup.ini) and <prefix>/share/velmar/bin
# (program folder: language/, Init/, PIC/, demo/, the factory tool's mysetup.ini).
# The programs find that folder from their own path, so the folder names here
# are fixed and do not follow GNUInstallDirs. Files the programs write go to
# the user's config folder, never here.
set(VELMAR_INSTALL_BASE_DIR share/velmar)
set(VELMAR_INSTALL_PROGRAM_DIR ${VELMAR_INSTALL_BASE_DIR}/bin)

foreach(program Velmar VelmarSetFactory velmar-vradio velmar-cli velmar-demo)
    if(TARGET ${program})
        install(TARGETS ${program} RUNTIME DESTINATION bin)
    endif()
endforeach()

install(DIRECTORY ${PROJECT_SOURCE_DIR}/data/language ${PROJECT_SOURCE_DIR}/data/Init
                  ${PROJECT_SOURCE_DIR}/data/PIC ${PROJECT_SOURCE_DIR}/data/demo
        DESTINATION ${VELMAR_INSTALL_PROGRAM_DIR}
        PATTERN mysetup.ini EXCLUDE)
install(FILES ${PROJECT_SOURCE_DIR}/data/Version.ini DESTINATION ${VELMAR_INSTALL_BASE_DIR})
install(FILES ${PROJECT_SOURCE_DIR}/data/language/mysetup.ini
        DESTINATION ${VELMAR_INSTALL_BASE_DIR}/language)
if(TARGET VelmarSetFactory)
    install(FILES ${PROJECT_SOURCE_DIR}/data/factory/mysetup.ini
            DESTINATION ${VELMAR_INSTALL_PROGRAM_DIR})
endif()

# Desktop integration: menu entries, icons, AppStream metadata.
set(velmar_desktop_ids)
if(TARGET Velmar)
    list(APPEND velmar_desktop_ids velmar|org.velmar.Velmar)
endif()
if(TARGET VelmarSetFactory)
    list(APPEND velmar_desktop_ids velmar-setfactory|org.velmar.VelmarSetFactory)
endif()
foreach(pair IN LISTS velmar_desktop_ids)
    string(REPLACE "|" ";" pair "${pair}")
    list(GET pair 0 name)
    list(GET pair 1 component)
    # The factory tool's entry comes with its window; until then it has none.
    if(NOT EXISTS ${PROJECT_SOURCE_DIR}/data/applications/${name}.desktop)
        continue()
    endif()
    install(FILES ${PROJECT_SOURCE_DIR}/data/applications/${name}.desktop
            DESTINATION share/applications)
    install(FILES ${PROJECT_SOURCE_DIR}/data/metainfo/${component}.metainfo.xml
            DESTINATION share/metainfo)
    foreach(size scalable 48x48 128x128 256x256)
        file(GLOB icon ${PROJECT_SOURCE_DIR}/data/icons/hicolor/${size}/apps/${name}.*)
        install(FILES ${icon} DESTINATION share/icons/hicolor/${size}/apps)
    endforeach()
endforeach()

# The demo's menu entry, beside Velmar's (whose icon it shows).
if(TARGET velmar-demo)
    install(FILES ${PROJECT_SOURCE_DIR}/data/applications/velmar-demo.desktop
            DESTINATION share/applications)
endif()

# Manual pages of the command-line programs.
foreach(program velmar-vradio velmar-cli velmar-demo)
    if(TARGET ${program})
        install(FILES ${PROJECT_SOURCE_DIR}/docs/man/${program}.1 DESTINATION share/man/man1)
    endif()
endforeach()

# Bash completion of velmar-cli.
if(TARGET velmar-cli)
    install(FILES ${PROJECT_SOURCE_DIR}/data/bash-completion/velmar-cli
            DESTINATION share/bash-completion/completions)
endif()

# Programming cables usable by the group "dialout" and left alone by ModemManager.
install(FILES ${PROJECT_SOURCE_DIR}/data/udev/60-velmar-cables.rules DESTINATION lib/udev/rules.d)

if(VELMAR_BUILD_TESTS AND TARGET Velmar)
    add_subdirectory(${PROJECT_SOURCE_DIR}/tests/install ${CMAKE_BINARY_DIR}/tests/install)
endif()
