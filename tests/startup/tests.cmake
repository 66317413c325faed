tessio_add_test(tst_startuphelpers SOURCES startup/tst_startuphelpers.cpp LIBS tessio_core)
tessio_add_test(tst_module1 SOURCES startup/tst_module1.cpp LIBS tessio_testsupport)
tessio_add_test(tst_links SOURCES startup/tst_links.cpp LIBS tessio_testsupport)
