#pragma once

// CompanyBlock is data of the core's case document and lives in calc/companyblock.h. This header only
// forwards there, for the plant files that still include it from here.
#include "calc/companyblock.h"
