# The Debian package made with `cpack -G DEB` in a build folder: the program with its desktop
# entry and icon (installed by app/), the manual page, the AppStream metadata and the package's
# own documents; dependencies computed from the binary by dpkg-shlibdeps.
include(GNUInstallDirs)

set(TOVU_PACKAGING ${PROJECT_SOURCE_DIR}/packaging)
find_program(TOVU_GZIP gzip)
if(TOVU_GZIP)
  # Compressed as Debian's policy asks, without a time stamp, so that the package is reproducible.
  foreach(doc tovu.1 changelog)
    add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/packaging/${doc}.gz
      COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/packaging
      COMMAND ${TOVU_GZIP} -n -9 -c ${TOVU_PACKAGING}/${doc} > ${CMAKE_BINARY_DIR}/packaging/${doc}.gz
      DEPENDS ${TOVU_PACKAGING}/${doc} VERBATIM)
  endforeach()
  add_custom_target(tovu_package_docs ALL DEPENDS ${CMAKE_BINARY_DIR}/packaging/tovu.1.gz
    ${CMAKE_BINARY_DIR}/packaging/changelog.gz)
  install(FILES ${CMAKE_BINARY_DIR}/packaging/tovu.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
  install(FILES ${CMAKE_BINARY_DIR}/packaging/changelog.gz
    DESTINATION ${CMAKE_INSTALL_DOCDIR})
endif()
install(FILES ${TOVU_PACKAGING}/org.tovu.Tovu.metainfo.xml
  DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${TOVU_PACKAGING}/copyright DESTINATION ${CMAKE_INSTALL_DOCDIR})

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tovu)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "Tovu developers <tovu@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
  "frames a BMP or JPEG picture on a card and saves it as a JPEG")
set(CPACK_PACKAGE_DESCRIPTION
  "Tovu shows a dropped picture in a small always-on-top window that slides in
from a screen edge, on a cream card inside an orange rounded frame, and saves
exactly what it shows as a JPEG file beside the picture. It runs on a desktop
or, without a display, headless.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Loaded when there is a display (SDL2, and through it X11), for the dialogs' Japanese text and
# for opening the information page: the program runs without them, headless.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "libsdl2-2.0-0, fonts-ipafont-gothic, xdg-utils")
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
include(CPack)
