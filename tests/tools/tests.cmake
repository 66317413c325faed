tessio_add_test(tst_datafile SOURCES tools/tst_datafile.cpp LIBS tessio_datafile)
target_include_directories(tst_datafile PRIVATE ${CMAKE_CURRENT_SOURCE_DIR})
add_dependencies(tst_datafile tessio-datafile)
