tessio_add_test(tst_printerreport
    SOURCES report/tst_printerreport.cpp report/recordingprinter.h report/recordingprinter.cpp
    LIBS tessio_testsupport)
tessio_add_test(tst_printcommand
    SOURCES report/tst_printcommand.cpp
    LIBS tessio_testsupport)
tessio_add_test(tst_savingsgraph SOURCES report/tst_savingsgraph.cpp LIBS tessio_testsupport)

# Not a test: renders the twelve charts for scripts/screenshots.
add_executable(graph_screenshot report/graph_screenshot.cpp)
target_link_libraries(graph_screenshot PRIVATE tessio_ui)
tessio_warnings(graph_screenshot)
