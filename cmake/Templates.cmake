# The generator of the template data files shipped in data/Init. They are made
# from the program's initial values; a model test fails when they drift.
# Regenerate with: velmar-make-templates <source>/data/Init
add_executable(velmar-make-templates ${PROJECT_SOURCE_DIR}/tools/make_templates/main.cpp)
target_link_libraries(velmar-make-templates PRIVATE velmar_core)
