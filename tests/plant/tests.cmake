tessio_add_test(tst_plantmodel SOURCES plant/tst_plantmodel.cpp LIBS tessio_testsupport)
tessio_add_test(tst_plantsettings SOURCES plant/tst_plantsettings.cpp LIBS tessio_core)
tessio_add_test(tst_plantfile SOURCES plant/tst_plantfile.cpp LIBS tessio_testsupport)
tessio_add_test(tst_plantdocument SOURCES plant/tst_plantdocument.cpp LIBS tessio_testsupport)
tessio_add_test(tst_plantreport
    SOURCES plant/tst_plantreport.cpp report/recordingprinter.h report/recordingprinter.cpp
    LIBS tessio_testsupport)
# The plant window, over a real main window.
tessio_add_test(tst_frmplantsummary
    SOURCES plant/tst_frmplantsummary.cpp
    LIBS tessio_testsupport)
tessio_add_test(tst_planteconomics SOURCES plant/tst_planteconomics.cpp LIBS tessio_testsupport)
# The two charts, in the languages of the Config.ini the build writes beside the tests.
tessio_add_test(tst_plantcharts SOURCES plant/tst_plantcharts.cpp LIBS tessio_testsupport)
add_dependencies(tst_plantcharts tessio_data)

# Not a test: renders the plant's two charts to PNG files, to look at them.
add_executable(plantcharts_screenshot plant/plantcharts_screenshot.cpp)
target_link_libraries(plantcharts_screenshot PRIVATE tessio_testsupport)
tessio_warnings(plantcharts_screenshot)
