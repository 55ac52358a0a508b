# Resource stores: make_store packs the sources under data/resources into the three store
# files of the install tree (bin/dat). A changed source rebuilds its store.
find_package(SQLite3 REQUIRED)

add_executable(make_store ${CMAKE_SOURCE_DIR}/tools/make_store.cpp)
target_link_libraries(make_store PRIVATE SQLite::SQLite3)
# A build tool, not part of the install tree the programs run from.
set_target_properties(make_store PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tools)

set(TAVO_RESOURCE_SOURCES ${CMAKE_SOURCE_DIR}/data/resources)
set(TAVO_STORE_DIR ${TAVO_INSTALL_TREE}/bin/dat)

# tavo_resource_store(<store file> <row name> <source file> [<row name> <source file> ...])
function(tavo_resource_store store)
  set(rows)
  set(sources)
  set(args ${ARGN})
  while(args)
    list(POP_FRONT args name file)
    list(APPEND rows "${name}=${TAVO_RESOURCE_SOURCES}/${file}")
    list(APPEND sources ${TAVO_RESOURCE_SOURCES}/${file})
  endwhile()
  add_custom_command(
    OUTPUT ${TAVO_STORE_DIR}/${store}
    COMMAND make_store ${TAVO_STORE_DIR}/${store} ${rows}
    DEPENDS make_store ${sources}
    COMMENT "Building resource store bin/dat/${store}"
    VERBATIM)
  set_property(GLOBAL APPEND PROPERTY TAVO_RESOURCE_STORES ${TAVO_STORE_DIR}/${store})
endfunction()

# The module picture is a PNG kept under the row name the constants window asks for.
tavo_resource_store(Ardekon_Images.dat tavo.jpg tavo.png)
tavo_resource_store(Ardekon_Formulas.dat formula_tavo.rtf formula_tavo.rtf)
tavo_resource_store(Ardekon_tables.dat table_tavo.rtf table_tavo.rtf)

get_property(_tavo_stores GLOBAL PROPERTY TAVO_RESOURCE_STORES)
add_custom_target(resource_stores ALL DEPENDS ${_tavo_stores})
# The programs and the tests that read the stores need them built first; the tests are
# defined after this file is read, so the dependencies are added at the end of the top level.
function(tavo_depend_on_resource_stores)
  foreach(_target tavo tavolin test_output test_resources)
    if(TARGET ${_target})
      add_dependencies(${_target} resource_stores)
    endif()
  endforeach()
endfunction()
cmake_language(DEFER DIRECTORY ${CMAKE_SOURCE_DIR} CALL tavo_depend_on_resource_stores)

# The same templates compiled into the program: what it falls back to when a store or a row
# is missing. Written at configure time; a changed template re-runs the configuration.
set(_builtin ${CMAKE_BINARY_DIR}/generated/output/builtin_templates_data.cpp)
set(_content "// Generated from data/resources by cmake/resource_stores.cmake; do not edit.\n")
string(APPEND _content "#include \"output/builtin_templates.h\"\n\nnamespace tavo {\n\n")
foreach(_pair "BuiltinFormulaTemplate;formula_tavo.rtf" "BuiltinTableTemplate;table_tavo.rtf")
  list(GET _pair 0 _function)
  list(GET _pair 1 _file)
  file(READ ${TAVO_RESOURCE_SOURCES}/${_file} _text)
  set_property(DIRECTORY ${CMAKE_SOURCE_DIR} APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${TAVO_RESOURCE_SOURCES}/${_file})
  string(APPEND _content "std::string_view ${_function}() {\n  static constexpr char text[] = R\"tavo(${_text})tavo\";\n"
                         "  return {text, sizeof text - 1};\n}\n\n")
endforeach()
string(APPEND _content "}  // namespace tavo\n")
file(CONFIGURE OUTPUT ${_builtin} CONTENT "${_content}" @ONLY)
target_sources(tavo_output PRIVATE ${_builtin})
