# The Windows build: what the programs need beside themselves to run from the build folder (and under
# Wine, which the toolchain file names as CMAKE_CROSSCOMPILING_EMULATOR), how the test suites run there, and
# the programs' Windows resources.
enable_language(RC)

# The MinGW runtime and the Qt libraries and plugins the programs load, copied beside them once at
# configure time so that bin/ runs as it is (build steps, tests) and scripts/windows can ship it.
set(TESSIO_MINGW_RUNTIME_DIRS /usr/lib/gcc/x86_64-w64-mingw32/12-posix /usr/x86_64-w64-mingw32/lib)
set(tessio_runtime)
foreach(dll libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll)
    find_file(TESSIO_DLL_${dll} ${dll} PATHS ${TESSIO_MINGW_RUNTIME_DIRS} NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH)
    if(NOT TESSIO_DLL_${dll})
        message(FATAL_ERROR "The MinGW runtime ${dll} is missing (g++-mingw-w64-x86-64-posix)")
    endif()
    list(APPEND tessio_runtime ${TESSIO_DLL_${dll}})
endforeach()

get_target_property(tessio_qtcore_dll Qt6::Core IMPORTED_LOCATION_RELEASE)
get_filename_component(TESSIO_QT_BIN ${tessio_qtcore_dll} DIRECTORY)
get_filename_component(TESSIO_QT_PLUGINS ${TESSIO_QT_BIN}/../plugins ABSOLUTE)
foreach(module Core Gui Widgets PrintSupport Test)
    list(APPEND tessio_runtime ${TESSIO_QT_BIN}/Qt6${module}.dll)
endforeach()
# What the installed programs load (cmake/TessioInstall.cmake): everything above except Qt Test, and the
# plugins; qoffscreen lets tessio-calc draw reports without a window.
set(TESSIO_SHIPPED_DLLS libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll
    Qt6Core.dll Qt6Gui.dll Qt6Widgets.dll Qt6PrintSupport.dll)
set(TESSIO_SHIPPED_PLUGINS platforms/qwindows.dll platforms/qoffscreen.dll styles/qwindowsvistastyle.dll)

file(COPY ${tessio_runtime} DESTINATION ${CMAKE_RUNTIME_OUTPUT_DIRECTORY})
file(COPY ${TESSIO_QT_PLUGINS}/platforms/qwindows.dll ${TESSIO_QT_PLUGINS}/platforms/qoffscreen.dll
     DESTINATION ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/platforms)
file(COPY ${TESSIO_QT_PLUGINS}/styles/qwindowsvistastyle.dll DESTINATION ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/styles)

# Qt's offscreen platform on Windows, which the tests use, reads its fonts from the one folder named in
# QT_QPA_FONTDIR and knows no family names beyond the files': Liberation Sans alone stands for every
# family there, with the metrics of Arial, the report's font and a Windows font of the same widths.
file(GLOB TESSIO_TEST_FONTS /usr/share/fonts/truetype/liberation/LiberationSans-*.ttf)
if(NOT TESSIO_TEST_FONTS)
    message(FATAL_ERROR "Liberation Sans is missing (fonts-liberation)")
endif()
set(TESSIO_TEST_FONT_DIR ${CMAKE_BINARY_DIR}/test-fonts)
file(COPY ${TESSIO_TEST_FONTS} DESTINATION ${TESSIO_TEST_FONT_DIR})

# The copyright line of LICENSE, for the programs' version resources and the setup program.
file(STRINGS ${PROJECT_SOURCE_DIR}/LICENSE TESSIO_COPYRIGHT REGEX "^Copyright " LIMIT_COUNT 1)
if(NOT TESSIO_COPYRIGHT)
    message(FATAL_ERROR "LICENSE has no line that begins with \"Copyright\"")
endif()
# The same for the setup program (packaging/windows/tessio.nsi).
file(CONFIGURE OUTPUT ${CMAKE_BINARY_DIR}/nsis/version.nsh
     CONTENT "!define VERSION \"@PROJECT_VERSION@\"\n!define COPYRIGHT \"@TESSIO_COPYRIGHT@\"\n" @ONLY)

# Gives a program Tessio's icon, a version resource with `description` and an application manifest
# (packaging/windows/tessio.rc.in and tessio.manifest.in).
function(tessio_windows_resources target description)
    set(TESSIO_RC_NAME ${target})
    set(TESSIO_RC_FILE ${target}.exe)
    set(TESSIO_RC_DESCRIPTION ${description})
    set(TESSIO_RC_ICON ${PROJECT_SOURCE_DIR}/packaging/windows/tessio.ico)
    set(dir ${CMAKE_BINARY_DIR}/resources/${target})
    set(TESSIO_RC_MANIFEST ${dir}/${target}.manifest)
    configure_file(${PROJECT_SOURCE_DIR}/packaging/windows/tessio.manifest.in ${TESSIO_RC_MANIFEST} @ONLY)
    configure_file(${PROJECT_SOURCE_DIR}/packaging/windows/tessio.rc.in ${dir}/${target}.rc @ONLY)
    target_sources(${target} PRIVATE ${dir}/${target}.rc)
    # windres reads the icon and the manifest itself: the build must know that the resource depends on them.
    set_source_files_properties(${dir}/${target}.rc PROPERTIES
        OBJECT_DEPENDS "${TESSIO_RC_ICON};${TESSIO_RC_MANIFEST}")
endfunction()
