# Installation: the Debian package, and the Windows program folder.
#
# On Linux both programs go to <prefix>/lib/tessio together with the data files they read beside themselves
# (Config.ini, fSetup.ini, the user guides, Qt's translations of its own dialogs); <prefix>/bin holds
# symbolic links to them. The calculator gets a desktop entry and an icon in the hicolor sizes, its file
# type, AppStream metadata, manual pages and Debian's copyright and changelog.
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

if(UNIX)
    # What a Linux desktop and Debian expect beside the programs: the case file type (shared-mime-info),
    # the AppStream description, the manual pages, the Debian copyright and changelog. The manual pages
    # and the changelog are compressed as Debian ships them; the page of tessio-calc is written from its
    # --help text, so it follows the program's options.
    set(packaging ${PROJECT_SOURCE_DIR}/packaging)
    set(generated ${CMAKE_BINARY_DIR}/packaging)
    file(MAKE_DIRECTORY ${generated})
    install(FILES ${packaging}/tessio-mime.xml DESTINATION share/mime/packages RENAME tessio.xml)
    install(FILES ${packaging}/tessio.metainfo.xml DESTINATION share/metainfo
            RENAME example.varnel.Tessio.metainfo.xml)

    configure_file(${packaging}/tessio.1.in ${generated}/tessio.1 @ONLY)
    add_custom_command(
        OUTPUT ${generated}/tessio-calc.1
        COMMAND ${CMAKE_COMMAND} -DPROGRAM=$<TARGET_FILE:tessio-calc> -DTEMPLATE=${packaging}/tessio-calc.1.in
                -DOUTPUT=${generated}/tessio-calc.1 -DVERSION=${PROJECT_VERSION}
                -P ${PROJECT_SOURCE_DIR}/cmake/TessioManPage.cmake
        DEPENDS tessio-calc ${packaging}/tessio-calc.1.in ${PROJECT_SOURCE_DIR}/cmake/TessioManPage.cmake
        COMMENT "Writing the manual page of tessio-calc"
        VERBATIM)
    configure_file(${packaging}/changelog ${generated}/changelog COPYONLY)
    set(compressed)
    foreach(file tessio.1 tessio-calc.1 changelog)
        # -n: no name or time stamp inside, so that the same source gives the same package.
        add_custom_command(
            OUTPUT ${generated}/${file}.gz
            COMMAND gzip -9 -n -k -f ${generated}/${file}
            DEPENDS ${generated}/${file}
            VERBATIM)
        list(APPEND compressed ${generated}/${file}.gz)
    endforeach()
    add_custom_target(tessio_packaging_files ALL DEPENDS ${compressed})
    install(FILES ${generated}/tessio.1.gz ${generated}/tessio-calc.1.gz DESTINATION share/man/man1)
    install(FILES ${generated}/changelog.gz ${packaging}/copyright DESTINATION share/doc/tessio)
endif()

# Debian package: cpack -G DEB in a build folder, or scripts/package.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tessio)
set(CPACK_PACKAGE_VENDOR "Varnel")
set(CPACK_PACKAGE_CONTACT "Varnel <tessio@varnel.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "energy savings calculator for variable-frequency drives")
# Lines of the long description stay under 80 characters (lintian).
set(CPACK_PACKAGE_DESCRIPTION "Tessio estimates the energy and money a variable-frequency drive saves\n\
on a centrifugal pump or a fan compared with throttling the flow, and the\n\
months the drive needs to pay for itself. The package holds the desktop\n\
calculator and tessio-calc, which calculates many case files from the\n\
command line.")
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
