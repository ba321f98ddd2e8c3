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

-- Owners and access lists, as self-relative security descriptors, of files
-- and folders (kind 1) and registry keys (kind 4) that have their own;
-- every other object takes its parent's inheritable entries.
CREATE TABLE security_descriptors (
  kind INTEGER NOT NULL,
  path_key TEXT NOT NULL,
  descriptor BLOB NOT NULL,
  PRIMARY KEY (kind, path_key)
) WITHOUT ROWID;
)sql";

}  // namespace lyn::sim
