// How a combination's outcome differs from the default person's on the
// same edition, in words a person reads in the matrix's page: one sentence
// for each thing that differs, none when nothing does.
#pragma once

#include <string>
#include <vector>

#include "record_output.h"

namespace lyn::lynsim {

// `record` and `baseline` are combination records (matrix_record.h).
std::vector<std::string> Differences(const Record& record, const Record& baseline);

}  // namespace lyn::lynsim
