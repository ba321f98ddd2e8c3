#include "platform/sim/machine/state_schema.h"

namespace lyn::sim {

// Paths are keyed by their case-folded absolute Windows form, so that one
// file has one row whatever case a caller spells it in.
const char* const kStateSchema = R"sql(
CREATE TABLE file_attributes (
  path_key TEXT PRIMARY KEY,
  attributes INTEGER NOT NULL
) WITHOUT ROWID;

CREATE TABLE files_in_use (
  path_key TEXT PRIMARY KEY
) WITHOUT ROWID;

CREATE TABLE desktop_windows (
  handle INTEGER PRIMARY KEY,
  process_id INTEGER NOT NULL,
  process_start INTEGER NOT NULL,
  class_name TEXT NOT NULL,
  caption TEXT NOT NULL,
  visible INTEGER NOT NULL
);
)sql";

}  // namespace lyn::sim
