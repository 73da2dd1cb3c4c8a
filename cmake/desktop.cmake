# What a desktop installation needs besides the programs: the version text, the menu
# entry, the MIME type of prepared reports and its icon, the icons, the AppStream
# metadata, the manual pages, the help pages, the licence and changelog, and the Debian
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
  # The same drawing stands for the program's documents in file managers.
  install(FILES ${png} DESTINATION share/icons/hicolor/${size}x${size}/mimetypes
          RENAME application-x-quarlo-prepared-report.png)
endforeach()
add_custom_target(quarlo_icons ALL DEPENDS ${icon_files})
install(FILES ${QUARLO_ICON_SVG} DESTINATION share/icons/hicolor/scalable/apps)
install(FILES ${QUARLO_ICON_SVG} DESTINATION share/icons/hicolor/scalable/mimetypes
        RENAME application-x-quarlo-prepared-report.svg)

install(FILES ${CMAKE_SOURCE_DIR}/config/desktop/quarlo.desktop DESTINATION share/applications)
install(FILES ${CMAKE_SOURCE_DIR}/config/desktop/quarlo-mime.xml DESTINATION share/mime/packages
        RENAME quarlo.xml)
configure_file(${CMAKE_SOURCE_DIR}/config/desktop/quarlo.metainfo.xml
               ${CMAKE_BINARY_DIR}/generated/org.quarlo.quarlo.metainfo.xml @ONLY)
install(FILES ${CMAKE_BINARY_DIR}/generated/org.quarlo.quarlo.metainfo.xml DESTINATION share/metainfo)
install(DIRECTORY ${CMAKE_SOURCE_DIR}/src/resources/help/ DESTINATION share/quarlo/help)
install(FILES ${CMAKE_SOURCE_DIR}/samples/sample.fp3 DESTINATION share/quarlo/samples)

# The manual pages, compressed as Debian keeps them (gzip without a time stamp):
# quarlo(1) is written by hand, quarlo-cli(1) from the program's own help texts.
set(man_dir ${CMAKE_BINARY_DIR}/man)
configure_file(${CMAKE_SOURCE_DIR}/config/man/quarlo.1 ${man_dir}/quarlo.1 @ONLY)
configure_file(${CMAKE_SOURCE_DIR}/config/debian/changelog.in ${man_dir}/changelog @ONLY)
add_custom_command(OUTPUT ${man_dir}/quarlo-cli.1
  COMMAND bash ${CMAKE_SOURCE_DIR}/cmake/cli_man.sh $<TARGET_FILE:quarlo-cli> ${PROJECT_VERSION} ${man_dir}/quarlo-cli.1
  DEPENDS quarlo-cli ${CMAKE_SOURCE_DIR}/cmake/cli_man.sh VERBATIM)
set(compressed "")
foreach(name quarlo.1 quarlo-cli.1 changelog)
  add_custom_command(OUTPUT ${man_dir}/${name}.gz
    COMMAND gzip -9nkf ${man_dir}/${name}
    DEPENDS ${man_dir}/${name} VERBATIM)
  list(APPEND compressed ${man_dir}/${name}.gz)
endforeach()
add_custom_target(quarlo_man_pages ALL DEPENDS ${compressed})
install(FILES ${man_dir}/quarlo.1.gz ${man_dir}/quarlo-cli.1.gz DESTINATION share/man/man1)
install(FILES ${man_dir}/changelog.gz ${CMAKE_SOURCE_DIR}/config/debian/copyright DESTINATION share/doc/quarlo)

# cpack -G DEB in the build directory writes quarlo_<version>_amd64.deb. The shared
# libraries' packages are found by dpkg-shlibdeps; the fonts the aliases name and the
# database tools that register the menu entry and MIME type are listed by hand.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME quarlo)
set(CPACK_PACKAGE_VENDOR "Quarlo")
set(CPACK_PACKAGE_CONTACT "Quarlo developers <dev@quarlo.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Viewer and printer for prepared reports (.fp3)")
# Lines of the extended description stay within 80 columns, as Debian asks.
string(JOIN "\n" CPACK_PACKAGE_DESCRIPTION
  "Quarlo opens finished, paginated reports stored as .fp3 files, shows their"
  "pages exactly as they will print, and prints them. quarlo-cli describes,"
  "renders, searches, prints and converts reports from scripts, without a display.")
set(CPACK_PACKAGE_INSTALL_DIRECTORY quarlo)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The programs without their symbols (2 MB instead of 56 MB); no debug package.
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS
  "qt6-qpa-plugins, libqt6svg6, fontconfig, fonts-liberation, fonts-liberation2, fonts-wine, fonts-dejavu-core, fonts-arphic-uming, fonts-arphic-ukai, fonts-wqy-zenhei, fonts-wqy-microhei, shared-mime-info, desktop-file-utils")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "cups-client, xdg-utils")
include(CPack)
