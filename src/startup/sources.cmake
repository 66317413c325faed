target_sources(tessio_core PRIVATE
    startup/singleinstance.h startup/singleinstance.cpp
    startup/truthtext.h startup/truthtext.cpp
    startup/commandline.h startup/commandline.cpp
    startup/casehandover.h startup/casehandover.cpp
)
target_sources(tessio_ui PRIVATE
    startup/mainprogram.h startup/mainprogram.cpp
    startup/module1.h startup/module1.cpp
)
