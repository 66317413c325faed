# The plant summary. The model, plant files, the grid-factor table and the printed summary are core;
# the plant window's files are listed in plant/ui.cmake.
target_sources(tessio_core PRIVATE
    plant/planttext.h
    plant/plantmodel.h plant/plantmodel.cpp
    plant/plantcurve.h plant/plantcurve.cpp
    plant/planteconomics.h plant/planteconomics.cpp plant/economicstext.h
    plant/plantchart.h plant/plantchart.cpp
    plant/savingsparetochart.h plant/savingsparetochart.cpp
    plant/cashflowchart.h plant/cashflowchart.cpp
    plant/plantsettings.h plant/plantsettings.cpp
    plant/plantcsv.h plant/plantcsv.cpp
    plant/plantcolumns.h plant/plantcolumns.cpp
    plant/plantfile.h plant/plantfile.cpp plant/plantfilewriter.cpp
    plant/plantdocument.h plant/plantdocument.cpp
    plant/gridfactor.h plant/gridfactor.cpp
    plant/plantreport.h plant/plantreport.cpp
)
qt_add_resources(tessio_core tessio_grid_intensity
    PREFIX /plant
    BASE ${PROJECT_SOURCE_DIR}/data
    FILES ${PROJECT_SOURCE_DIR}/data/grid-intensity.csv)
target_sources(tessio_ui PRIVATE
    plant/plantprint.h plant/plantprint.cpp
)
include(${CMAKE_CURRENT_LIST_DIR}/ui.cmake OPTIONAL)
