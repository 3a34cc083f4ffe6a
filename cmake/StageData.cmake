# Copies the shipped data into the build tree in the layout the program reads:
# program folder bin/ with language/, Init/, PIC/; base folder with Version.ini
# and language/mysetup.ini. Files the program writes (mysetup.ini, Habit.ini,
# Setting.ini) are copied only when absent, so a run's changes survive a rebuild.
file(GLOB_RECURSE velmar_program_data CONFIGURE_DEPENDS
    RELATIVE ${PROJECT_SOURCE_DIR}/data
    ${PROJECT_SOURCE_DIR}/data/language/*.ini
    ${PROJECT_SOURCE_DIR}/data/Init/*
    ${PROJECT_SOURCE_DIR}/data/PIC/*)
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

if(EXISTS ${PROJECT_SOURCE_DIR}/data/language/mysetup.ini
   AND NOT EXISTS ${VELMAR_BASE_DIR}/language/mysetup.ini)
    file(COPY ${PROJECT_SOURCE_DIR}/data/language/mysetup.ini
         DESTINATION ${VELMAR_BASE_DIR}/language)
endif()
