# tessio-calc, the command-line calculator for many cases. Its logic lives in tessio_cli so that the tests
# reach it without the executable; main.cpp only wires the application object to it.
add_library(tessio_cli STATIC)
target_sources(tessio_cli PRIVATE
    cli/batchoptions.h cli/batchoptions.cpp
    cli/batchcase.h cli/batchcase.cpp
    cli/batchoutput.h cli/batchoutput.cpp
    cli/batchrun.h cli/batchrun.cpp
    cli/consoledialogs.h cli/consoledialogs.cpp
)
target_include_directories(tessio_cli PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})
target_link_libraries(tessio_cli PUBLIC tessio_core)
target_compile_definitions(tessio_cli PRIVATE TESSIO_VERSION="${PROJECT_VERSION}")
tessio_warnings(tessio_cli)

# Printing reports needs the Qt printer layer of tessio_ui; the batch logic does not.
add_executable(tessio-calc cli/main.cpp)
target_link_libraries(tessio-calc PRIVATE tessio_cli tessio_ui)
tessio_warnings(tessio-calc)
# The language texts it reads lie beside it (data/CMakeLists.txt builds them).
add_dependencies(tessio-calc tessio_data)
