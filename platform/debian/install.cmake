# Install rules and the Debian package: the viewer in bin/, its manual page
# (compressed, as Debian wants it), and under share/doc/varnelle/ the README
# with its pictures, the licence as a Debian copyright file and the changelog.
# `cmake --install BUILD --prefix DIR` installs them under any DIR; the
# package target (CPack) makes varnelle_<version>_<arch>.deb in BUILD.
include(GNUInstallDirs)

set(VARNELLE_MAINTAINER "The Varnelle developers <varnelle@example.org>"
    CACHE STRING "Maintainer of the Debian package, as Name <address>")

# Directories the install step creates: rwxr-xr-x whatever the umask.
set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

# gzip -9n: best compression and no name or time stamp, so the same input
# always gives the same bytes.
function(varnelle_gzip source output)
    add_custom_command(OUTPUT ${output}
        COMMAND gzip -9n -c ${source} > ${output}
        DEPENDS ${source}
        VERBATIM)
endfunction()

# The manual page, with the project's version filled in.
set(VARNELLE_MAN_PAGE ${CMAKE_CURRENT_BINARY_DIR}/varnelle.1)
configure_file(${CMAKE_CURRENT_LIST_DIR}/varnelle.1.in ${VARNELLE_MAN_PAGE} @ONLY)
varnelle_gzip(${VARNELLE_MAN_PAGE} ${CMAKE_CURRENT_BINARY_DIR}/varnelle.1.gz)
varnelle_gzip(${CMAKE_CURRENT_LIST_DIR}/changelog
    ${CMAKE_CURRENT_BINARY_DIR}/changelog.gz)
add_custom_target(varnelle_docs ALL
    DEPENDS ${CMAKE_CURRENT_BINARY_DIR}/varnelle.1.gz ${CMAKE_CURRENT_BINARY_DIR}/changelog.gz)

# Debian's machine-readable copyright file, made from LICENSE: the holder
# from its copyright line, its text as the Expat licence's, each line
# indented by one blank and each blank line written as " .".
file(READ LICENSE licenseText)
string(REGEX MATCH "Copyright \\(c\\) ([^\n]+)" copyrightLine "${licenseText}")
set(VARNELLE_COPYRIGHT "${CMAKE_MATCH_1}")
string(REGEX REPLACE "^.*Copyright \\(c\\) [^\n]+\n\n" "" licenseBody "${licenseText}")
string(STRIP "${licenseBody}" licenseBody)
string(REPLACE "\n\n" "\n.\n" licenseBody "${licenseBody}")
string(REPLACE "\n" "\n " licenseBody "${licenseBody}")
set(VARNELLE_LICENSE_TEXT " ${licenseBody}")
configure_file(${CMAKE_CURRENT_LIST_DIR}/copyright.in ${CMAKE_CURRENT_BINARY_DIR}/copyright @ONLY)

install(TARGETS varnelle RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/varnelle.1.gz
    DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES README.md
    ${CMAKE_CURRENT_BINARY_DIR}/copyright
    ${CMAKE_CURRENT_BINARY_DIR}/changelog.gz
    DESTINATION ${CMAKE_INSTALL_DOCDIR})
# The pages the README links to, the handout and their pictures, where its
# links expect them.
install(DIRECTORY docs/ DESTINATION ${CMAKE_INSTALL_DOCDIR}/docs
    FILES_MATCHING PATTERN "*.md" PATTERN "*.html" PATTERN "*.png")

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME varnelle)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "${VARNELLE_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "viewer for learning OpenGL camera set-ups")
set(CPACK_PACKAGE_DESCRIPTION
"Varnelle opens one window with a fixed lit scene, a white sphere and six
coloured cones along the axes, and lets you step with the keyboard through
four camera stations: one orthographic view and three perspective views from
different positions, each fitted to the window's narrower side. A short trace
of every frame, key and camera change on standard output shows what the
program does and when.

It is meant for learning how projection and view set-ups (glOrtho,
gluPerspective, gluLookAt) work in the fixed-function OpenGL pipeline.")
# The package's file name, as Debian names it, written where make finds it.
execute_process(COMMAND dpkg --print-architecture
    OUTPUT_VARIABLE CPACK_DEBIAN_PACKAGE_ARCHITECTURE OUTPUT_STRIP_TRAILING_WHITESPACE)
set(CPACK_DEBIAN_FILE_NAME
    "${CPACK_PACKAGE_NAME}_${PROJECT_VERSION}_${CPACK_DEBIAN_PACKAGE_ARCHITECTURE}.deb")
file(WRITE ${CMAKE_CURRENT_BINARY_DIR}/package-file-name "${CPACK_DEBIAN_FILE_NAME}\n")
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# Dependencies from the binary's shared libraries, so apt pulls GLUT, GLU and GL.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_STRIP_FILES ON)
include(CPack)

# The install tree and the manual page, checked with cmake --install, groff,
# mandoc and man; once, in the build that is not sanitized, since nothing of
# it is compiled.
if(BUILD_TESTING AND NOT VARNELLE_SANITIZE)
    add_test(NAME install_tree_and_manual_page
        COMMAND ${CMAKE_CURRENT_LIST_DIR}/check-install.sh ${CMAKE_BINARY_DIR} ${CMAKE_SOURCE_DIR})
endif()
