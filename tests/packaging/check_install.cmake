# Installs the build into a scratch prefix and checks what an operator's PC
# gets: every file in its place, the programs answering --version, and the
# desktop entry and AppStream metadata accepted by their validators.
#   cmake -DBUILD_DIR=... -DPREFIX=... -DVERSION=... -P check_install.cmake
file(REMOVE_RECURSE ${PREFIX})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${PREFIX}
    RESULT_VARIABLE result OUTPUT_QUIET)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "cmake --install failed: ${result}")
endif()

set(expected
    bin/tavrino-scope bin/tavrino-cli bin/tavrino-sim
    share/tavrino-scope/FTxyChromaticityDiagram.bmp
    share/tavrino-scope/FTColorWheel.bmp
    share/tavrino-scope/FTUniformChromaticityScale.bmp
    share/tavrino-scope/logoKEJ.bmp
    share/applications/tavrino-scope.desktop
    share/icons/hicolor/scalable/apps/tavrino-scope.svg
    share/icons/hicolor/48x48/apps/tavrino-scope.png
    share/icons/hicolor/256x256/apps/tavrino-scope.png
    share/metainfo/tavrino-scope.metainfo.xml
    share/man/man1/tavrino-scope.1.gz
    share/man/man1/tavrino-cli.1.gz
    share/man/man1/tavrino-sim.1.gz
    share/doc/tavrino-scope/README.serial
    share/doc/tavrino-scope/99-tavrino-usb-serial-latency.rules.example
    share/doc/tavrino-scope/copyright
    lib/systemd/system/tavrino-publish@.service)
foreach(path ${expected})
    if(NOT EXISTS ${PREFIX}/${path} OR IS_DIRECTORY ${PREFIX}/${path})
        message(SEND_ERROR "not installed: ${path}")
    endif()
endforeach()

# Every program answers --version with the product line and the build's
# version, from the installed place and without a display.
foreach(program tavrino-cli tavrino-sim tavrino-scope)
    execute_process(COMMAND ${CMAKE_COMMAND} -E env --unset=DISPLAY --unset=WAYLAND_DISPLAY
                            --unset=QT_QPA_PLATFORM ${PREFIX}/bin/${program} --version
        RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE errors)
    if(NOT result EQUAL 0)
        message(SEND_ERROR "${program} --version exited with ${result}: ${errors}")
    elseif(NOT output STREQUAL "TAVRINO4 VXR QLM Scope V3.2\n${program} ${VERSION}\n")
        message(SEND_ERROR "${program} --version printed: ${output}")
    endif()
endforeach()

# The manual pages come from the programs' own help.
foreach(check "tavrino-scope.1.gz;--data-dir" "tavrino-cli.1.gz;calib factors" "tavrino-sim.1.gz;--stream-rate")
    list(GET check 0 page)
    list(GET check 1 text)
    execute_process(COMMAND gzip -dc ${PREFIX}/share/man/man1/${page} OUTPUT_VARIABLE manual)
    string(REPLACE "\\" "" manual "${manual}") # roff escapes every "-"
    string(FIND "${manual}" "${text}" at)
    if(at EQUAL -1)
        message(SEND_ERROR "${page} does not describe ${text}")
    endif()
endforeach()

foreach(validator
        "desktop-file-validate;${PREFIX}/share/applications/tavrino-scope.desktop"
        "appstreamcli;validate;--no-net;--pedantic;${PREFIX}/share/metainfo/tavrino-scope.metainfo.xml")
    execute_process(COMMAND ${validator} RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
    if(NOT result EQUAL 0)
        message(SEND_ERROR "${validator} failed:\n${output}")
    endif()
endforeach()
