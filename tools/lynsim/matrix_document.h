// OUT/matrix.json, the compatibility matrix as one JSON object: the editions
// and variants it spans, which part of a sharded run it is, and the record
// of every combination with its differences from the default person's on
// the same edition (docs/lynsim-matrix.md). The page is made from it alone,
// so that a merge of the parts gives the page the whole run gives.
#pragma once

#include <filesystem>
#include <optional>
#include <vector>

#include "matrix_variants.h"
#include "record_output.h"

namespace lyn::lynsim {

struct Shard {
  int part = 1;  // 1 to `of`
  int of = 1;
};

Record PresetsJson(const std::vector<sim::Preset>& presets);
Record VariantsJson(const std::vector<Variant>& variants);

// The document: `combinations` in the order of the editions, then of the
// variants; each gets its "differences" (none for the default person's and
// for a combination not run, or whose default person's was not run).
Record MatrixDocument(const Record& presets, const Record& variants,
                      const std::optional<Shard>& shard, std::vector<Record> combinations);

// Writes matrix.json and the pages (matrix_page.h) into `out`.
void WriteMatrix(const std::filesystem::path& out, const Record& document);

// Joins the documents of the parts in `parts` into `out`: the combinations
// each part ran, with their folders copied into `out` unless they are there
// already. Throws std::runtime_error when the parts span different editions
// or variants, or two ran the same combination.
Record MergeParts(const std::filesystem::path& out,
                  const std::vector<std::filesystem::path>& parts);

}  // namespace lyn::lynsim
