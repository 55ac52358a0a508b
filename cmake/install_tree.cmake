# Lays out the install tree the programs find next to their executables.
foreach(dir cte temp bin/dat bin/help bin/jpg)
  file(MAKE_DIRECTORY ${TAVO_INSTALL_TREE}/${dir})
endforeach()
# The settings file is the user's once it exists: copy the default only when it is missing.
if(NOT EXISTS ${TAVO_INSTALL_TREE}/cte/constants.ini)
  configure_file(${CMAKE_SOURCE_DIR}/data/install/constants.ini ${TAVO_INSTALL_TREE}/cte/constants.ini COPYONLY)
endif()
