# Installation (any prefix; DESTDIR honoured) and the Debian package.
include(GNUInstallDirs)

set(KORVEN_HOMEPAGE "https://holvarin.example/korven" CACHE STRING
  "Project address named in the AppStream data (its screenshot lies below it)")

install(TARGETS korven-info korven-logofile RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
if(NOT KORVEN_BUILD_GUI)
  return()
endif()
install(TARGETS korven korven-thumbnailer RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

set(share ${PROJECT_SOURCE_DIR}/share)
install(FILES ${share}/applications/korven.desktop
  DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${share}/mime/korven.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages)
install(FILES ${share}/thumbnailers/korven.thumbnailer
  DESTINATION ${CMAKE_INSTALL_DATADIR}/thumbnailers)
configure_file(${share}/metainfo/korven.metainfo.xml.in
  ${PROJECT_BINARY_DIR}/korven.metainfo.xml @ONLY)
install(FILES ${PROJECT_BINARY_DIR}/korven.metainfo.xml
  DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo RENAME example.holvarin.korven.metainfo.xml)
foreach(size 16 24 32 48 64 128 256)
  install(FILES ${share}/icons/korven-${size}.png
    DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps RENAME korven.png)
endforeach()
# The manuals and the custom logo file are looked up in the XDG data folders' "holvarin".
install(DIRECTORY ${share}/holvarin/ DESTINATION ${CMAKE_INSTALL_DATADIR}/holvarin OPTIONAL)
install(FILES ${PROJECT_SOURCE_DIR}/README.md DESTINATION ${CMAKE_INSTALL_DOCDIR})
install(DIRECTORY ${PROJECT_SOURCE_DIR}/examples/ DESTINATION ${CMAKE_INSTALL_DOCDIR}/examples)

set(CPACK_PACKAGE_NAME korven)
set(CPACK_PACKAGE_VENDOR "Holvarin")
set(CPACK_PACKAGE_CONTACT "KORVEN developers <korven@holvarin.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "fast viewer for NC part programs (G-code)")
set(CPACK_PACKAGE_DESCRIPTION
  "KORVEN opens an NC part program, interprets it into a coloured toolpath and draws it in 3D.\n\
It also draws pictures of programs without a display (korven-info --png) and thumbnails\n\
for file managers.")
set(CPACK_PACKAGE_INSTALL_DIRECTORY korven)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${KORVEN_HOMEPAGE})
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Loaded at run time, so the library scan cannot see them: the Mesa drivers (window and
# off-screen) and the EGL vendor.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libgl1-mesa-dri, libegl-mesa0, libglx-mesa0")
# The toolkit's own buttons and dialogs in the panel's language.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n")
set(CPACK_DEBIAN_COMPRESSION_TYPE gzip)
set(CPACK_GENERATOR DEB)
include(CPack)
