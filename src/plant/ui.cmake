# The plant window: its form, the table model, the chart views and the window class.
qt_wrap_ui(plant_form plant/frmplantsummary.ui)
target_sources(tessio_core PRIVATE
    plant/plantsummarytable.h plant/plantsummarytable.cpp
)
target_sources(tessio_ui PRIVATE
    plant/frmplantsummary.h plant/frmplantsummary.cpp ${plant_form}
    plant/plantchartview.h plant/plantchartview.cpp
)
