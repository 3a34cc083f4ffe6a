# The core: standard C++ only, one static library. Each subsystem folder
# contributes the .cpp files at its top level; Qt code lives in ui/ below it
# and is never part of the core.
set(VELMAR_SUBSYSTEMS shell model channels link settings factory)

set(VELMAR_CORE_OBJECTS)
foreach(sub IN LISTS VELMAR_SUBSYSTEMS)
    file(GLOB sources CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/src/${sub}/*.cpp)
    if(sources)
        add_library(core_${sub} OBJECT ${sources})
        target_include_directories(core_${sub} PUBLIC ${PROJECT_SOURCE_DIR}/src)
        list(APPEND VELMAR_CORE_OBJECTS $<TARGET_OBJECTS:core_${sub}>)
    endif()
endforeach()

add_library(velmar_core STATIC ${VELMAR_CORE_OBJECTS})
set_target_properties(velmar_core PROPERTIES LINKER_LANGUAGE CXX)
target_include_directories(velmar_core PUBLIC ${PROJECT_SOURCE_DIR}/src)

# The object files of a subsystem and of the subsystems below it, so that a
# subsystem's tests build while a later subsystem is still being written.
function(velmar_core_objects_upto sub out)
    set(objects)
    foreach(s IN LISTS VELMAR_SUBSYSTEMS)
        if(TARGET core_${s})
            list(APPEND objects $<TARGET_OBJECTS:core_${s}>)
        endif()
        if(s STREQUAL sub)
            break()
        endif()
    endforeach()
    set(${out} ${objects} PARENT_SCOPE)
endfunction()
