target_sources(tessio_core PRIVATE
    settings/companyblock.h
)
