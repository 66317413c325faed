target_sources(tessio_core PRIVATE
    calc/caserecord.h
    calc/casetext.h
    calc/companyblock.h
    calc/casedocument.h
    calc/caseview.h
    calc/taskcommand.h
    calc/calculator.h calc/calculator.cpp
    calc/numberformat.h calc/numberformat.cpp
    calc/powercurves.h
    calc/systemcurve.h calc/systemcurve.cpp
)
