# The system-curve window. The chart, the printed page and the remembered parameters are core; the
# model itself is in calc/.
target_sources(tessio_core PRIVATE
    systemcurve/systemcurvetext.h
    systemcurve/systemcurvechart.h systemcurve/systemcurvechart.cpp
    systemcurve/systemcurvereport.h systemcurve/systemcurvereport.cpp
    systemcurve/systemcurvestore.h systemcurve/systemcurvestore.cpp
)
qt_wrap_ui(systemcurve_form systemcurve/frmsystemcurve.ui)
target_sources(tessio_ui PRIVATE
    systemcurve/systemcurvepicture.h systemcurve/systemcurvepicture.cpp
    systemcurve/frmsystemcurve.h systemcurve/frmsystemcurve.cpp ${systemcurve_form}
)
