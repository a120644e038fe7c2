# What makes an install a desktop program: the icon (drawn once as SVG, bitmaps made from it),
# the desktop entry, the software-centre metadata, the Debian documents, and the Debian package.

set(PACKAGING_DIR ${PROJECT_SOURCE_DIR}/packaging)
set(ICON_THEME_DIR ${CMAKE_BINARY_DIR}/share/icons/hicolor)

# Icons go into the build tree as the install lays them out, so the program finds its window
# icon the same way in both.
# Only the icon renderer needs the SVG module; the program itself loads the bitmaps.
find_package(Qt6 REQUIRED COMPONENTS Svg)
add_executable(render_icon ${PACKAGING_DIR}/render_icon.cpp)
target_link_libraries(render_icon PRIVATE Qt6::Gui Qt6::Svg)
set_target_properties(render_icon PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR})
set(ICON_FILES ${ICON_THEME_DIR}/scalable/apps/luftikon.svg)
add_custom_command(OUTPUT ${ICON_THEME_DIR}/scalable/apps/luftikon.svg
    COMMAND ${CMAKE_COMMAND} -E copy ${PACKAGING_DIR}/luftikon.svg ${ICON_THEME_DIR}/scalable/apps/luftikon.svg
    DEPENDS ${PACKAGING_DIR}/luftikon.svg)
foreach(size 48 128 256)
    set(png ${ICON_THEME_DIR}/${size}x${size}/apps/luftikon.png)
    add_custom_command(OUTPUT ${png}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${ICON_THEME_DIR}/${size}x${size}/apps
        COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=detect_leaks=0
            $<TARGET_FILE:render_icon> ${PACKAGING_DIR}/luftikon.svg ${size} ${png}
        DEPENDS render_icon ${PACKAGING_DIR}/luftikon.svg
        COMMENT "Icon ${size}x${size}")
    list(APPEND ICON_FILES ${png})
endforeach()

# Man page and changelog compressed the way Debian wants them: best compression, no name or time.
set(PACKAGING_BINARY_DIR ${CMAKE_BINARY_DIR}/packaging)
configure_file(${PACKAGING_DIR}/org.example.luftikon.metainfo.xml.in
    ${PACKAGING_BINARY_DIR}/org.example.luftikon.metainfo.xml @ONLY)
configure_file(${PACKAGING_DIR}/changelog.in ${PACKAGING_BINARY_DIR}/changelog @ONLY)
configure_file(${PACKAGING_DIR}/luftikon.1.in ${PACKAGING_BINARY_DIR}/luftikon.1 @ONLY)
foreach(doc changelog luftikon.1)
    add_custom_command(OUTPUT ${PACKAGING_BINARY_DIR}/${doc}.gz
        COMMAND gzip -9n -c ${PACKAGING_BINARY_DIR}/${doc} > ${PACKAGING_BINARY_DIR}/${doc}.gz
        DEPENDS ${PACKAGING_BINARY_DIR}/${doc})
endforeach()

add_custom_target(luftikon_desktop_files ALL
    DEPENDS ${ICON_FILES} ${PACKAGING_BINARY_DIR}/changelog.gz ${PACKAGING_BINARY_DIR}/luftikon.1.gz)
add_dependencies(luftikon_resources luftikon_desktop_files)

install(DIRECTORY ${CMAKE_BINARY_DIR}/share/icons DESTINATION ${CMAKE_INSTALL_DATADIR})
install(FILES ${PACKAGING_DIR}/org.example.luftikon.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${PACKAGING_BINARY_DIR}/org.example.luftikon.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${PACKAGING_BINARY_DIR}/luftikon.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${PACKAGING_DIR}/copyright ${PACKAGING_BINARY_DIR}/changelog.gz
    DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/luftikon)

# The Debian package: cpack --config <build>/CPackConfig.cmake. Depends are what running needs;
# the libraries come from dpkg-shlibdeps, the rest are loaded at run time and named here: the
# X11 platform plugin (only recommended by Qt's GUI library), Qt's German dialog texts, and the
# fonts the pictures and pages ask for.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME luftikon)
set(CPACK_PACKAGE_VENDOR "Luftikon-Projekt")
set(CPACK_PACKAGE_CONTACT "Luftikon-Projekt <luftikon@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "peak-flow diary for people with asthma")
set(CPACK_PACKAGE_DESCRIPTION
    "Luftikon keeps a diary of peak expiratory flow readings (litres per\n"
    "minute), up to four or eight a day, one file per month. It shows each\n"
    "month as a chart with three coloured zones between the user's own\n"
    "limits, as a table with remarks, and as a page of weekly line charts in\n"
    "the web browser, and prints the chart and the table. The user interface\n"
    "is German.")
string(REPLACE ";" "" CPACK_PACKAGE_DESCRIPTION "${CPACK_PACKAGE_DESCRIPTION}")
set(CPACK_STRIP_FILES ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://example.org/luftikon")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# libarchive13 is loaded at run time, when an archive is first made or read, so the linker's
# list of libraries does not name it.
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "qt6-qpa-plugins, qt6-translations-l10n, fonts-liberation, fonts-dejavu-core, fonts-crosextra-carlito, libarchive13")
# Opening the browser pages and the help document goes through the desktop's default programs.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xdg-utils")
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
include(CPack)
