target_sources(tessio_core PRIVATE
    report/reportprinter.h
    report/printerreport.h report/printerreport.cpp
    report/reportjob.h report/reportjob.cpp
    report/savingscurves.h report/savingscurves.cpp
    report/chartpainting.h report/chartpainting.cpp
    report/savingschart.h report/savingschart.cpp
)
target_sources(tessio_ui PRIVATE
    report/qtreportprinter.h report/qtreportprinter.cpp
    report/printcommand.h report/printcommand.cpp
    report/savingspicture.h report/savingspicture.cpp
    report/frmgraph.h report/frmgraph.cpp
)
