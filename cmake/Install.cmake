# Installs the program the way Linux desktop programs are installed, and packs it as a
# Debian package (cpack -G DEB).
include(GNUInstallDirs)

install(TARGETS fortavo fortavo-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
# Draws the 1RM graph for fortavo-cli, which looks for it in ../libexec/fortavo.
install(TARGETS fortavo-graph RUNTIME DESTINATION ${CMAKE_INSTALL_LIBEXECDIR}/fortavo)
# The shipped defaults, copied into each user's data folder on first start.
install(DIRECTORY ${CMAKE_SOURCE_DIR}/resources/ DESTINATION ${CMAKE_INSTALL_DATADIR}/fortavo)
install(FILES ${CMAKE_SOURCE_DIR}/packaging/org.fortavo.Fortavo.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${CMAKE_SOURCE_DIR}/packaging/org.fortavo.Fortavo.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(FILES ${CMAKE_SOURCE_DIR}/packaging/org.fortavo.Fortavo.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${CMAKE_SOURCE_DIR}/packaging/fortavo-script.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages)
install(FILES ${CMAKE_SOURCE_DIR}/packaging/fortavo-cli.1 DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

set(CPACK_PACKAGE_NAME fortavo)
set(CPACK_PACKAGE_VENDOR "The Fortavo developers")
set(CPACK_PACKAGE_CONTACT "The Fortavo developers <fortavo@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Workout log for strength and cardio training")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# A plugin the dependency scan cannot see: it draws the SVG logo.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libqt6svg6")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Workout log for strength and cardio training\n Each training period lives in one training file; around it Fortavo offers an\n exercise catalogue with a one-repetition-maximum analysis, fitness goals,\n week and period statistics, text and HTML export and a small scripting\n language. fortavo-cli reaches the same files without a window.")
include(CPack)
