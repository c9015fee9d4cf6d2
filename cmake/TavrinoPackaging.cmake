# What `cmake --install` puts in place and how CPack makes the Debian
# package of it. Only in the normal (not sanitizer, not fuzz) tree.
include(GNUInstallDirs)

set(TAVRINO_DATA_DESTINATION ${CMAKE_INSTALL_DATADIR}/tavrino-scope)
set(TAVRINO_DOC_DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/tavrino-scope)
set(_packaging ${PROJECT_SOURCE_DIR}/packaging)
set(_generated ${CMAKE_BINARY_DIR}/packaging)
file(MAKE_DIRECTORY ${_generated})

find_program(RSVG_CONVERT rsvg-convert REQUIRED)
find_program(HELP2MAN help2man REQUIRED)
find_program(GZIP gzip REQUIRED)

install(TARGETS tavrino-scope tavrino-cli tavrino-sim RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

# The pictures the program shows: the three computed backgrounds and the
# logo as a bitmap.
add_custom_command(OUTPUT ${_generated}/logoKEJ.bmp
    COMMAND tavrino-make-logo ${_generated}/logoKEJ.bmp
    DEPENDS tavrino-make-logo
    COMMENT "Drawing the logo bitmap")
install(FILES
    ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/FTxyChromaticityDiagram.bmp
    ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/FTColorWheel.bmp
    ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/FTUniformChromaticityScale.bmp
    ${_generated}/logoKEJ.bmp
    DESTINATION ${TAVRINO_DATA_DESTINATION})

# The icon at the sizes menus ask for, rendered from the one drawing.
set(_icons)
foreach(_size 48 256)
    set(_png ${_generated}/icons/${_size}x${_size}/tavrino-scope.png)
    add_custom_command(OUTPUT ${_png}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${_generated}/icons/${_size}x${_size}
        COMMAND ${RSVG_CONVERT} -w ${_size} -h ${_size} -o ${_png} ${_packaging}/desktop/tavrino-scope.svg
        DEPENDS ${_packaging}/desktop/tavrino-scope.svg
        COMMENT "Rendering the ${_size} px icon")
    list(APPEND _icons ${_png})
    install(FILES ${_png} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${_size}x${_size}/apps)
endforeach()
install(FILES ${_packaging}/desktop/tavrino-scope.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(FILES ${_packaging}/desktop/tavrino-scope.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${_packaging}/desktop/tavrino-scope.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

# Manual pages from the programs' own --help and --version.
set(_manual_name_tavrino-scope "set up and watch a TAVRINO4 VXR QLM true-colour sensor")
set(_manual_name_tavrino-cli "the sensor's operations without windows, for scripts and production lines")
set(_manual_name_tavrino-sim "a simulated TAVRINO4 VXR QLM sensor on TCP and a pseudo-terminal")
set(_manuals)
foreach(_program tavrino-scope tavrino-cli tavrino-sim)
    set(_page ${_generated}/man/${_program}.1)
    add_custom_command(OUTPUT ${_page}.gz
        COMMAND ${CMAKE_COMMAND} -E make_directory ${_generated}/man
        COMMAND ${HELP2MAN} --no-info --section=1 --source=Tavrino
                --version-string=${TAVRINO_BUILD_VERSION}
                "--name=${_manual_name_${_program}}"
                --output=${_page} $<TARGET_FILE:${_program}>
        COMMAND ${GZIP} -9nf ${_page}
        DEPENDS ${_program}
        COMMENT "Writing the manual page of ${_program}"
        VERBATIM)
    list(APPEND _manuals ${_page}.gz)
    install(FILES ${_page}.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endforeach()
add_custom_target(tavrino-install-files ALL DEPENDS ${_generated}/logoKEJ.bmp ${_icons} ${_manuals})

install(FILES ${_packaging}/doc/README.serial ${_packaging}/doc/99-tavrino-usb-serial-latency.rules.example
    ${_packaging}/doc/copyright
    DESTINATION ${TAVRINO_DOC_DESTINATION})

# The Debian package: ./package.sh runs `cpack -G DEB` in its own tree.
set(CPACK_PACKAGE_NAME tavrino-scope)
set(CPACK_PACKAGE_VERSION ${TAVRINO_BUILD_VERSION})
set(CPACK_PACKAGE_VENDOR "Tavrino")
set(CPACK_PACKAGE_CONTACT "Tavrino <support@tavrino.example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "set up and watch a TAVRINO4 VXR QLM true-colour sensor")
set(CPACK_PACKAGE_DESCRIPTION
    "TAVRINO4 VXR QLM Scope V3.2 is the desktop program with which an operator sets up and watches a
TAVRINO4 VXR QLM true-colour sensor over RS-232 or TCP/IP: it reads, edits and stores the sensor's
parameter set, shows the live measurement as numbers and graphs in five colour spaces, teaches colours,
records measurements, scans a signal like an oscilloscope and calibrates the sensor.
.
The package also holds tavrino-cli, the same operations without windows for scripts and production
lines, and tavrino-sim, a simulated sensor. See /usr/share/doc/tavrino-scope/README.serial for serial
lines; installing changes none of the system's serial settings.")
set(CPACK_RESOURCE_FILE_LICENSE ${_packaging}/doc/copyright)
set(CPACK_PACKAGE_INSTALL_DIRECTORY tavrino-scope)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://tavrino.example.org/")
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "qt6-translations-l10n")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_GENERATOR DEB)
include(CPack)
