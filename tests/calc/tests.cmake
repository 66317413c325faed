tessio_add_test(tst_numberformat SOURCES calc/tst_numberformat.cpp LIBS tessio_core)
tessio_add_test(tst_calculator SOURCES calc/tst_calculator.cpp LIBS tessio_testsupport)
tessio_add_test(tst_systemcurve SOURCES calc/tst_systemcurve.cpp LIBS tessio_testsupport)
