# Address and undefined-behaviour checks for every target of the build: the
# core, the Qt programs and the tests. Any finding stops the program, so a
# test that trips one fails.
option(VELMAR_SANITIZE "Build everything with address and undefined-behaviour checks" OFF)
if(NOT VELMAR_SANITIZE)
    return()
endif()

add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer
                    -fno-sanitize-recover=undefined)
add_link_options(-fsanitize=address,undefined)
