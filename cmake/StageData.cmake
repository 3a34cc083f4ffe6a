# Copies the shipped data into the build tree in the layout the program reads:
# program folder bin/ with language/, Init/, PIC/, demo/; base folder with Version.ini
# and language/mysetup.ini. Files the program writes (mysetup.ini, Habit.ini,
# Setting.ini) are copied only when absent, so a run's changes survive a rebuild.
file(GLOB_RECURSE velmar_program_data CONFIGURE_DEPENDS
    RELATIVE ${PROJECT_SOURCE_DIR}/data
    ${PROJECT_SOURCE_DIR}/data/language/*.ini
    ${PROJECT_SOURCE_DIR}/data/Init/*
    ${PROJECT_SOURCE_DIR}/data/PIC/*
    ${PROJECT_SOURCE_DIR}/data/demo/*)
list(REMOVE_ITEM velmar_program_data language/mysetup.ini)

set(velmar_staged)
foreach(f IN LISTS velmar_program_data)
    set(dst ${VELMAR_PROGRAM_DIR}/${f})
    add_custom_command(OUTPUT ${dst}
        COMMAND ${CMAKE_COMMAND} -E copy ${PROJECT_SOURCE_DIR}/data/${f} ${dst}
        DEPENDS ${PROJECT_SOURCE_DIR}/data/${f})
    list(APPEND velmar_staged ${dst})
endforeach()
foreach(f Version.ini)
    if(EXISTS ${PROJECT_SOURCE_DIR}/data/${f})
        set(dst ${VELMAR_BASE_DIR}/${f})
        add_custom_command(OUTPUT ${dst}
            COMMAND ${CMAKE_COMMAND} -E copy ${PROJECT_SOURCE_DIR}/data/${f} ${dst}
            DEPENDS ${PROJECT_SOURCE_DIR}/data/${f})
        list(APPEND velmar_staged ${dst})
    endif()
endforeach()
add_custom_target(stage_data ALL DEPENDS ${velmar_staged})

# Velmar's settings live in the base folder, the factory tool's in its own
# program folder.
foreach(pair "language/mysetup.ini|${VELMAR_BASE_DIR}/language"
             "factory/mysetup.ini|${VELMAR_PROGRAM_DIR}")
    string(REPLACE "|" ";" pair "${pair}")
    list(GET pair 0 src)
    list(GET pair 1 dst_dir)
    get_filename_component(name ${src} NAME)
    if(EXISTS ${PROJECT_SOURCE_DIR}/data/${src} AND NOT EXISTS ${dst_dir}/${name})
        file(COPY ${PROJECT_SOURCE_DIR}/data/${src} DESTINATION ${dst_dir})
    endif()
endforeach()
