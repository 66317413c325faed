target_sources(tessio_core PRIVATE
    startup/addbackslash.h startup/addbackslash.cpp
)
