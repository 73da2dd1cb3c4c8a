# What a desktop installation needs besides the programs: the version text, the menu
# entry, the MIME type of prepared reports, the icons, the help pages, and the Debian
# package made by CPack.

configure_file(${CMAKE_SOURCE_DIR}/cmake/version.cpp.in ${CMAKE_BINARY_DIR}/generated/version.cpp @ONLY)
target_sources(quarlo_app PRIVATE ${CMAKE_BINARY_DIR}/generated/version.cpp)

# The PNG sizes of the icon theme, drawn from the one SVG at build time.
add_executable(quarlo-render-icon ${CMAKE_SOURCE_DIR}/tools/render_icon.cpp)
target_link_libraries(quarlo-render-icon PRIVATE Qt6::Gui Qt6::Svg)
set(QUARLO_ICON_SVG ${CMAKE_SOURCE_DIR}/src/resources/images/quarlo.svg)
set(QUARLO_ICON_SIZES 16 22 24 32 48 64 128 256)
set(icon_files "")
foreach(size IN LISTS QUARLO_ICON_SIZES)
  set(png ${CMAKE_BINARY_DIR}/icons/hicolor/${size}x${size}/apps/quarlo.png)
  add_custom_command(OUTPUT ${png}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/icons/hicolor/${size}x${size}/apps
    COMMAND quarlo-render-icon ${QUARLO_ICON_SVG} ${png} ${size}
    DEPENDS quarlo-render-icon ${QUARLO_ICON_SVG} VERBATIM)
  list(APPEND icon_files ${png})
  install(FILES ${png} DESTINATION share/icons/hicolor/${size}x${size}/apps)
endforeach()
add_custom_target(quarlo_icons ALL DEPENDS ${icon_files})
install(FILES ${QUARLO_ICON_SVG} DESTINATION share/icons/hicolor/scalable/apps)

install(FILES ${CMAKE_SOURCE_DIR}/config/desktop/quarlo.desktop DESTINATION share/applications)
install(FILES ${CMAKE_SOURCE_DIR}/config/desktop/quarlo-mime.xml DESTINATION share/mime/packages
        RENAME quarlo.xml)
install(DIRECTORY ${CMAKE_SOURCE_DIR}/src/resources/help/ DESTINATION share/quarlo/help)
install(FILES ${CMAKE_SOURCE_DIR}/samples/sample.fp3 DESTINATION share/quarlo/samples)

# cpack -G DEB in the build directory writes quarlo_<version>_amd64.deb. The shared
# libraries' packages are found by dpkg-shlibdeps; the fonts the aliases name and the
# database tools that register the menu entry and MIME type are listed by hand.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME quarlo)
set(CPACK_PACKAGE_VENDOR "Quarlo")
set(CPACK_PACKAGE_CONTACT "Quarlo developers <dev@quarlo.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Viewer and printer for prepared reports (.fp3)")
set(CPACK_PACKAGE_DESCRIPTION
  "Quarlo opens finished, paginated reports stored as .fp3 files, shows their pages exactly as they will print, and prints them.")
set(CPACK_PACKAGE_INSTALL_DIRECTORY quarlo)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS
  "qt6-qpa-plugins, libqt6svg6, fontconfig, fonts-liberation, fonts-liberation2, fonts-wine, fonts-dejavu-core, fonts-arphic-uming, fonts-wqy-zenhei, shared-mime-info, desktop-file-utils")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "cups-client, xdg-utils")
include(CPack)
