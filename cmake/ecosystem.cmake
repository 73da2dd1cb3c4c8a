# Quarlo beyond its own windows: the print server's filter from prepared reports to PDF
# with the spooler's MIME type and conversion rule, and the file managers' thumbnailer.
# Installed with the prefix /usr (as the Debian package is), the spooler finds the
# filter in /usr/lib/cups/filter and the rules in /usr/share/cups/mime.

file(GLOB FILTER_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/src/app/filter/*.cpp)
add_executable(fp3topdf ${FILTER_SOURCES})
target_link_libraries(fp3topdf PRIVATE quarlo_qt)
install(TARGETS fp3topdf RUNTIME DESTINATION lib/cups/filter)
install(FILES ${CMAKE_SOURCE_DIR}/config/cups/quarlo.types ${CMAKE_SOURCE_DIR}/config/cups/quarlo.convs
        DESTINATION share/cups/mime)
install(FILES ${CMAKE_SOURCE_DIR}/config/desktop/quarlo.thumbnailer DESTINATION share/thumbnailers)
