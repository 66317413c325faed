cmake_minimum_required(VERSION 3.25)
# Fails when a file of tessio_core includes a header of the windows: a header of tessio_ui, a compiled
# form (ui_*.h) or a header of Qt Widgets or Qt Print Support. Run by the build (src/CMakeLists.txt) with
#   -DLISTS=<file that sets SOURCE_DIR, CORE_SOURCES and UI_HEADERS>
include(${LISTS})
set(problems "")
foreach(source IN LISTS CORE_SOURCES)
    file(STRINGS "${SOURCE_DIR}/${source}" lines REGEX "^[ \t]*#[ \t]*include")
    foreach(line IN LISTS lines)
        if(NOT line MATCHES "#[ \t]*include[ \t]*[\"<]([^\">]+)[\">]")
            continue()
        endif()
        set(header "${CMAKE_MATCH_1}")
        if(header IN_LIST UI_HEADERS OR header MATCHES "^ui_" OR header MATCHES "^Qt(Widgets|PrintSupport)/")
            string(APPEND problems "\n  src/${source} includes ${header}")
        endif()
    endforeach()
endforeach()
if(problems)
    message(FATAL_ERROR "tessio_core may not include the headers of the windows (tessio_ui):${problems}\n"
                        "Reach the window through a small interface of the core instead (as FileCommands does "
                        "through CaseView).")
endif()
