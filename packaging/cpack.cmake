# The Debian package of both programs: cmake --build <build> --target package.
set(TAVO_PACKAGE_MAINTAINER "Tavolin maintainers <maintainers@tavolin.invalid>"
    CACHE STRING "Maintainer named in the Debian package")
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tavolin)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(TAVO_PACKAGE_VERSION ${PROJECT_VERSION}-${CPACK_DEBIAN_PACKAGE_RELEASE})
set(CPACK_PACKAGE_VENDOR "The Tavolin developers")
set(CPACK_PACKAGE_CONTACT ${TAVO_PACKAGE_MAINTAINER})
set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${TAVO_PACKAGE_MAINTAINER})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "steel sections: properties, member checks, reports and drawings")
set(CPACK_PACKAGE_DESCRIPTION
    "Tavolin turns a short section designation (IPE30+2PL200*10, 2UNP20,\n"
    "PG 600*8*250*15, BOX 300*10*300*15) into a cross-section, computes its\n"
    "properties, checks it as a column, beam or brace by allowable-stress\n"
    "rules, and reports the result as a styled report, a dimensioned\n"
    "drawing, result tables and section records.\n"
    "\n"
    "The package holds the command-line program tavo and the desktop\n"
    "program tavolin, the rolled-profile catalogue and the calculation help\n"
    "in English and Persian.")
string(REPLACE ";" "" CPACK_PACKAGE_DESCRIPTION "${CPACK_PACKAGE_DESCRIPTION}")
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR}/package)
# Directories 0755 whatever the builder's umask.
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
include(CPack)
