# The files that make Lumivex a Linux application (menu entry, icons, AppStream metadata, shell
# completion, package documents), installed by `cmake --install` as by the Debian package, and the
# package itself: `cmake --build build --target package` (CPack's DEB generator).
include(GNUInstallDirs)

set(LUMIVEX_APP_ID "com.corvandale.Lumivex")
set(LUMIVEX_MAINTAINER "Lumivex developers <lumivex@example.org>" CACHE STRING "Maintainer of the Debian package")
set(LUMIVEX_SCREENSHOT_URL "https://lumivex.example.org/screenshots/conversion.png" CACHE STRING
    "Published copy of packaging/screenshots/conversion.png, named in the AppStream metadata")

set(pkg ${CMAKE_CURRENT_SOURCE_DIR}/packaging)
set(pkgbin ${CMAKE_CURRENT_BINARY_DIR}/packaging)
set(docdir ${CMAKE_INSTALL_DATAROOTDIR}/doc/lumivex)

if(TARGET Lumivex)
  install(FILES ${pkg}/${LUMIVEX_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/applications)
  configure_file(${pkg}/${LUMIVEX_APP_ID}.metainfo.xml.in ${pkgbin}/${LUMIVEX_APP_ID}.metainfo.xml @ONLY)
  install(FILES ${pkgbin}/${LUMIVEX_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/metainfo)
  foreach(icon 48x48/${LUMIVEX_APP_ID}.png 128x128/${LUMIVEX_APP_ID}.png 256x256/${LUMIVEX_APP_ID}.png
          scalable/${LUMIVEX_APP_ID}.svg)
    get_filename_component(size ${icon} DIRECTORY)
    install(FILES ${CMAKE_CURRENT_SOURCE_DIR}/data/icons/${icon}
            DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/icons/hicolor/${size}/apps)
  endforeach()
endif()
if(TARGET lumivex-convert)
  install(FILES ${pkg}/completion/lumivex-convert
          DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/bash-completion/completions)
endif()

# Debian's documents: the copyright and a changelog compressed without a time stamp.
configure_file(${pkg}/changelog.in ${pkgbin}/changelog @ONLY)
find_program(GZIP gzip)
if(GZIP)
  add_custom_command(OUTPUT ${pkgbin}/changelog.gz
                     COMMAND ${GZIP} -9nfk ${pkgbin}/changelog
                     DEPENDS ${pkgbin}/changelog ${pkg}/changelog.in)
  add_custom_target(lumivex-changelog ALL DEPENDS ${pkgbin}/changelog.gz)
  install(FILES ${pkgbin}/changelog.gz ${pkg}/copyright DESTINATION ${docdir})
endif()

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME lumivex)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR Corvandale)
set(CPACK_PACKAGE_CONTACT "${LUMIVEX_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "converter of delimited quote files between layouts")
# Lines of the long description stay under 80 columns.
set(CPACK_PACKAGE_DESCRIPTION
    "Lumivex converts delimited text data files, such as stock quotations with
one record per line, from one user-defined layout into another: column order
and selection by name, separators, decimal separator, date layout, forced
case, prefix or suffix, controls and header lines. The package holds the
window (Lumivex) and the converter without a window (lumivex-convert).")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# gio (trash, "Open with") and update-desktop-database (the entries the parameters page installs).
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "libglib2.0-bin, desktop-file-utils")
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "bash-completion, parallel")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_SOURCE_IGNORE_FILES "/build.*/;/\\\\.git/")
include(CPack)
