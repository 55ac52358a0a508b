# The calculation help document: make_help prints the HTML editions under docs/help into the
# install tree, bin/help/tavo.pdf (English) and bin/help/tavo_fa.pdf (Persian), each with a
# list of its section anchors and their pages for the help viewer. A changed source or a
# changed tool prints them again. Needs Qt (included from the top level when TAVO_WITH_QT).
find_package(Qt6 REQUIRED COMPONENTS Gui)

add_executable(make_help ${CMAKE_SOURCE_DIR}/tools/make_help.cpp)
# The figures and the legend of the section families are drawn by the program's own drawing
# code (the families' routines through the render layer).
target_link_libraries(make_help PRIVATE Qt6::Gui tavo_render)
set_target_properties(make_help PROPERTIES
  AUTOMOC ON
  # A build tool, not part of the install tree the programs run from.
  RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tools)

set(TAVO_HELP_SOURCE_DIR ${CMAKE_SOURCE_DIR}/docs/help)
set(TAVO_HELP_DIR ${TAVO_INSTALL_TREE}/bin/help)

# tavo_help_edition(<language> <source html> <pdf name> <anchors name>)
function(tavo_help_edition lang source pdf anchors)
  add_custom_command(
    OUTPUT ${TAVO_HELP_DIR}/${pdf} ${TAVO_HELP_DIR}/${anchors}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${TAVO_HELP_DIR}
    COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen
            $<TARGET_FILE:make_help> --lang ${lang} ${TAVO_HELP_SOURCE_DIR}/${source}
            ${TAVO_HELP_DIR}/${pdf} ${TAVO_HELP_DIR}/${anchors}
    DEPENDS make_help ${TAVO_HELP_SOURCE_DIR}/${source}
    COMMENT "Printing the calculation help bin/help/${pdf}"
    VERBATIM)
  set_property(GLOBAL APPEND PROPERTY TAVO_HELP_OUTPUTS ${TAVO_HELP_DIR}/${pdf} ${TAVO_HELP_DIR}/${anchors})
endfunction()

tavo_help_edition(en tavo_help.en.html tavo.pdf tavo.anchors)
tavo_help_edition(fa tavo_help.fa.html tavo_fa.pdf tavo_fa.anchors)

get_property(_tavo_help_outputs GLOBAL PROPERTY TAVO_HELP_OUTPUTS)
add_custom_target(help_document ALL DEPENDS ${_tavo_help_outputs})
