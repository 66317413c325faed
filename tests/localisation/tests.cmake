tessio_add_test(tst_descramble SOURCES localisation/tst_descramble.cpp LIBS tessio_core)
target_include_directories(tst_descramble PRIVATE ${CMAKE_CURRENT_SOURCE_DIR})

tessio_add_test(tst_scrambledfile SOURCES localisation/tst_scrambledfile.cpp LIBS tessio_testsupport)

# Reads the Config.ini and fSetup.ini the build wrote beside the test, and the list of required rows.
tessio_add_test(tst_shippeddata SOURCES localisation/tst_shippeddata.cpp LIBS tessio_datafile tessio_testsupport)
target_include_directories(tst_shippeddata PRIVATE ${CMAKE_CURRENT_SOURCE_DIR})
target_compile_definitions(tst_shippeddata PRIVATE TESSIO_DATA_SOURCES="${TESSIO_HOST_DRIVE}${PROJECT_SOURCE_DIR}/data")
add_dependencies(tst_shippeddata tessio_data)

# Uses the translations of Qt's own texts that the build puts beside the programs.
tessio_add_test(tst_qttranslations SOURCES localisation/tst_qttranslations.cpp LIBS tessio_testsupport)
add_dependencies(tst_qttranslations tessio_data)
