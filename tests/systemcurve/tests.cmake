tessio_add_test(tst_systemcurvechart SOURCES systemcurve/tst_systemcurvechart.cpp LIBS tessio_testsupport)
tessio_add_test(tst_systemcurvereport
    SOURCES systemcurve/tst_systemcurvereport.cpp report/recordingprinter.h report/recordingprinter.cpp
    LIBS tessio_testsupport)
# The system-curve window, over a real main window.
tessio_add_test(tst_frmsystemcurve SOURCES systemcurve/tst_frmsystemcurve.cpp LIBS tessio_testsupport)

# Not a test: renders the window for scripts/screenshots.
add_executable(systemcurve_screenshot systemcurve/screenshot.cpp)
target_link_libraries(systemcurve_screenshot PRIVATE tessio_ui)
tessio_warnings(systemcurve_screenshot)
