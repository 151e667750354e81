# SPDX-License-Identifier: GPL-3.0-or-later
# What `cmake --install` lays out under the prefix, and the Debian package
# that CPack makes of it (scripts/package).

install(TARGETS morvalin RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

# The read-only files; an installed copy never has a sajat.txt of its own.
file(GLOB MORVALIN_FRAMES ${PROJECT_SOURCE_DIR}/assets/splash*.gif)
install(FILES ${PROJECT_SOURCE_DIR}/assets/hires.txt ${PROJECT_SOURCE_DIR}/assets/hand.cur ${MORVALIN_FRAMES}
    ${PROJECT_SOURCE_DIR}/assets/szavak.txt ${CMAKE_BINARY_DIR}/szavak.idx
    DESTINATION ${CMAKE_INSTALL_DATADIR}/morvalin)

set(DIST ${PROJECT_SOURCE_DIR}/dist)
install(FILES ${DIST}/${MORVALIN_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${DIST}/${MORVALIN_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(DIRECTORY ${DIST}/icons/hicolor DESTINATION ${CMAKE_INSTALL_DATADIR}/icons)
# Debian looks for it as share/doc/<package>/copyright; the package and the
# project are both "morvalin", so DOCDIR is exactly that.
install(FILES ${DIST}/copyright DESTINATION ${CMAKE_INSTALL_DOCDIR})

# Debian ships manual pages compressed.
find_program(GZIP gzip)
if(GZIP)
    set(MAN_GZ ${CMAKE_BINARY_DIR}/morvalin.6.gz)
    add_custom_command(OUTPUT ${MAN_GZ}
        COMMAND ${GZIP} -9nc ${DIST}/morvalin.6 > ${MAN_GZ}
        DEPENDS ${DIST}/morvalin.6)
    add_custom_target(morvalin_man ALL DEPENDS ${MAN_GZ})
    install(FILES ${MAN_GZ} DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
else()
    install(FILES ${DIST}/morvalin.6 DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
endif()

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME morvalin)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Anagramma-játék magyar felülettel")
set(CPACK_PACKAGE_DESCRIPTION "Egy név, szó vagy rövid kifejezés betűiből kell új kifejezést rakni, \
miközben az óra méri az időt. A permutátor egy legfeljebb hét karakteres szöveg \
minden sorrendjét felsorolja.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "A Morvalin szerzői <szerzok@morvalin.hu>")
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://morvalin.hu/")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# What the binary does not link but loads or draws with: the fonts the
# windows are designed with.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation2")
include(CPack)
