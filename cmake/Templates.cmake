# The generators of the binary data shipped in data/: the template data files
# of data/Init, made from the program's initial values, and the demo radio's
# memory data/demo/sample.img, made from its description in
# src/link/demo_sample.cpp. Tests fail when the shipped files drift.
# Regenerate with: velmar-make-templates <source>/data/Init
#                  velmar-make-demo-sample <source>/data
add_executable(velmar-make-templates ${PROJECT_SOURCE_DIR}/tools/make_templates/main.cpp)
target_link_libraries(velmar-make-templates PRIVATE velmar_core)
add_executable(velmar-make-demo-sample ${PROJECT_SOURCE_DIR}/tools/make_demo_sample/main.cpp)
target_link_libraries(velmar-make-demo-sample PRIVATE velmar_core)
