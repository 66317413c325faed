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
