target_sources(tessio_core PRIVATE
    startup/addbackslash.h startup/addbackslash.cpp
    startup/singleinstance.h startup/singleinstance.cpp
    startup/truthtext.h startup/truthtext.cpp
)
