# Installation: the Debian package, and the Windows program folder.
#
# On Linux both programs go to <prefix>/lib/tessio together with the data files they read beside themselves
# (Config.ini, fSetup.ini, the user guides, Qt's translations of its own dialogs); <prefix>/bin holds
# symbolic links to them. The calculator gets a desktop entry and an icon in the hicolor sizes.
# On Windows the prefix is the program folder: the programs, the same data files, the DLLs and Qt plugins
# they load, and the licences. scripts/windows zips it and the setup program installs it as it is.

if(WIN32)
    set(TESSIO_INSTALL_DIR .)
else()
    set(TESSIO_INSTALL_DIR lib/tessio)
endif()
set(built ${CMAKE_RUNTIME_OUTPUT_DIRECTORY})

install(TARGETS tessio tessio-calc RUNTIME DESTINATION ${TESSIO_INSTALL_DIR})

# The data files as the build writes them beside the programs (data/CMakeLists.txt).
file(GLOB tessio_guides CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/data/help/*.html)
set(tessio_data_files ${built}/Config.ini ${built}/fSetup.ini)
foreach(guide ${tessio_guides})
    get_filename_component(name ${guide} NAME)
    list(APPEND tessio_data_files ${built}/${name})
endforeach()
# Qt's translations of its own dialogs, when the build found them (data/CMakeLists.txt).
list(APPEND tessio_data_files ${TESSIO_QT_TRANSLATION_FILES})
install(FILES ${tessio_data_files} DESTINATION ${TESSIO_INSTALL_DIR})

if(WIN32)
    # The libraries and plugins as cmake/TessioWindows.cmake copied them into the build folder.
    foreach(dll ${TESSIO_SHIPPED_DLLS})
        install(FILES ${built}/${dll} DESTINATION .)
    endforeach()
    foreach(plugin ${TESSIO_SHIPPED_PLUGINS})
        get_filename_component(folder ${plugin} DIRECTORY)
        install(FILES ${built}/${plugin} DESTINATION ${folder})
    endforeach()
    # Tessio's licence (also the setup program's licence page), what the shipped libraries are, and their
    # licences, as text files that Notepad opens.
    set(TESSIO_COMMON_LICENSES /usr/share/common-licenses)
    foreach(licence LGPL-3 GPL-3)
        if(NOT EXISTS ${TESSIO_COMMON_LICENSES}/${licence})
            message(FATAL_ERROR "${TESSIO_COMMON_LICENSES}/${licence} is missing (base-files)")
        endif()
        install(FILES ${TESSIO_COMMON_LICENSES}/${licence} DESTINATION . RENAME ${licence}.txt)
    endforeach()
    install(FILES ${PROJECT_SOURCE_DIR}/LICENSE DESTINATION . RENAME LICENSE.txt)
    install(FILES ${PROJECT_SOURCE_DIR}/THIRD-PARTY.md DESTINATION . RENAME THIRD-PARTY.txt)
    return()
endif()

# Relative links, so that the installed tree can be moved (or unpacked anywhere) as a whole. The programs
# find their data through their real location, which the kernel reports with the links resolved.
set(links ${CMAKE_BINARY_DIR}/install-links)
file(MAKE_DIRECTORY ${links})
foreach(program tessio tessio-calc)
    file(CREATE_LINK ../${TESSIO_INSTALL_DIR}/${program} ${links}/${program} SYMBOLIC)
    install(FILES ${links}/${program} DESTINATION bin)
endforeach()

install(FILES ${PROJECT_SOURCE_DIR}/packaging/tessio.desktop DESTINATION share/applications)
# The icon as PNGs in the hicolor sizes (tools/render-icons makes them from tessio.svg), and the SVG itself.
foreach(size 16 22 24 32 48 64 128 256)
    install(FILES ${PROJECT_SOURCE_DIR}/packaging/icons/hicolor/${size}x${size}/apps/tessio.png
            DESTINATION share/icons/hicolor/${size}x${size}/apps)
endforeach()
install(FILES ${PROJECT_SOURCE_DIR}/packaging/tessio.svg DESTINATION share/icons/hicolor/scalable/apps)

# Debian package: cpack -G DEB in a build folder, or scripts/package.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tessio)
set(CPACK_PACKAGE_VENDOR "Varnel")
set(CPACK_PACKAGE_CONTACT "Varnel <tessio@varnel.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "energy savings calculator for variable-frequency drives")
set(CPACK_PACKAGE_DESCRIPTION "Tessio estimates the energy and money a variable-frequency drive saves on a\n\
centrifugal pump or a fan compared with throttling the flow, and the months the drive\n\
needs to pay for itself. The package holds the desktop calculator and tessio-calc,\n\
which calculates many case files from the command line.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "http://www.varnel.example")
# dpkg-shlibdeps finds the libraries the programs link (the Qt modules, the C and C++ runtimes). Named here
# is what it cannot see: the platform plugins that let the calculator open its window (and tessio-calc draw
# reports offscreen), and the Liberation fonts, which give the printed report the metrics it is laid out for.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, fonts-liberation")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_STRIP_FILES ON)
include(CPack)
