tessio_add_test(tst_batchoutput SOURCES cli/tst_batchoutput.cpp LIBS tessio_cli)

# End to end: the built executable on case files in a temporary folder.
tessio_add_test(tst_tessiocalc SOURCES cli/tst_tessiocalc.cpp LIBS tessio_cli)
target_compile_definitions(tst_tessiocalc PRIVATE TESSIO_CALC="${TESSIO_HOST_DRIVE}$<TARGET_FILE:tessio-calc>"
                                                  TESSIO_VERSION="${PROJECT_VERSION}"
                                                  TESSIO_EXAMPLES="${TESSIO_HOST_DRIVE}${PROJECT_SOURCE_DIR}/examples")
add_dependencies(tst_tessiocalc tessio-calc)
