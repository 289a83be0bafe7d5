# What `cmake --install` puts where, and the Debian package cpack makes of it.
# The game finds its content tree at <prefix>/share/vennor from its own
# location, so the layout below is what it expects at run time.
include(GNUInstallDirs)

set(VENNOR_RESOURCES ${CMAKE_SOURCE_DIR}/resources/desktop)
set(VENNOR_CONFIGURED ${CMAKE_BINARY_DIR}/resources)
configure_file(${VENNOR_RESOURCES}/${VENNOR_APP_ID}.metainfo.xml.in
               ${VENNOR_CONFIGURED}/${VENNOR_APP_ID}.metainfo.xml @ONLY)
configure_file(${VENNOR_RESOURCES}/vennor.6.in ${VENNOR_CONFIGURED}/vennor.6 @ONLY)

install(TARGETS vennor RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
# The generated tree as the generator left it; screenshots and logs that a
# run from the build folder may have added are the player's, not shipped.
install(DIRECTORY ${VENNOR_DATA_DIR}/ DESTINATION ${CMAKE_INSTALL_DATADIR}/vennor
        PATTERN ".generated" EXCLUDE
        REGEX "/shots/[^/]+$" EXCLUDE
        REGEX "/text/[^/]+\\.log$" EXCLUDE)
install(DIRECTORY ${VENNOR_ICON_DIR}/ DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor
        PATTERN ".generated" EXCLUDE)
install(FILES ${VENNOR_RESOURCES}/${VENNOR_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${VENNOR_CONFIGURED}/${VENNOR_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${VENNOR_CONFIGURED}/vennor.6 DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME vennor)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "The Vennor developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "isometric fantasy tactics game with its own content editors")
set(CPACK_PACKAGE_DESCRIPTION "A tactics game at 640 x 480 in 16-bit colour: a lit isometric world, \
a party hunted by the computer's units, melee, arrows and spells, an overhead map, and the map, land, \
item and unit editors that made its demo map.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "The Vennor developers <vennor@localhost>")
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_STRIP_FILES ON)
include(CPack)
