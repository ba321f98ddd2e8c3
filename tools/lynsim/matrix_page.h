// The compatibility matrix as static pages a browser opens from the disk,
// with no server and no script: OUT/index.html, a table of the editions
// (rows) and the variants (columns) whose cells are coloured by outcome,
// state the differences from the default person's outcome in words and link
// to the combination's page, runs/PRESET/VARIANT/index.html, which shows its
// record and links to its transcripts, logs, differences and pictures.
#pragma once

#include <filesystem>

#include "record_output.h"

namespace lyn::lynsim {

// Writes the pages of a matrix document (matrix_document.h) into `out`.
void WritePages(const std::filesystem::path& out, const Record& document);

}  // namespace lyn::lynsim
