tessio_add_test(tst_fieldrules SOURCES mainwindow/tst_fieldrules.cpp LIBS tessio_testsupport)
tessio_add_test(tst_maskededit SOURCES mainwindow/tst_maskededit.cpp LIBS tessio_testsupport)
tessio_add_test(tst_frmcalcretorno SOURCES mainwindow/tst_frmcalcretorno.cpp LIBS tessio_testsupport)
tessio_add_test(tst_fieldbehaviour SOURCES mainwindow/tst_fieldbehaviour.cpp LIBS tessio_testsupport)
tessio_add_test(tst_commandicon SOURCES mainwindow/tst_commandicon.cpp LIBS tessio_testsupport)

# Not a test: renders the window in every language for scripts/screenshots.
add_executable(mainwindow_screenshot mainwindow/screenshot.cpp)
target_link_libraries(mainwindow_screenshot PRIVATE tessio_ui)
tessio_warnings(mainwindow_screenshot)
tessio_add_test(tst_caseview SOURCES mainwindow/tst_caseview.cpp LIBS tessio_testsupport)
tessio_add_test(tst_keyboardaccess SOURCES mainwindow/tst_keyboardaccess.cpp LIBS tessio_testsupport)
tessio_add_test(tst_kwhprice SOURCES mainwindow/tst_kwhprice.cpp LIBS tessio_testsupport)
