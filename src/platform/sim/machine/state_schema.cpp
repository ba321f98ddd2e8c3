#include "platform/sim/machine/state_schema.h"

namespace lyn::sim {

// Paths are keyed by their case-folded absolute Windows form, so that one
// file has one row whatever case a caller spells it in.
const char* const kStateSchema = R"sql(
CREATE TABLE file_attributes (
  path_key TEXT PRIMARY KEY,
  attributes INTEGER NOT NULL
) WITHOUT ROWID;

-- The open handles of the machine's processes on files: what each may do
-- (its access rights, generic ones mapped) and what it lets other handles
-- do (its share mode). A handle counts only while the process that opened
-- it runs (same number and start time).
CREATE TABLE open_files (
  handle INTEGER PRIMARY KEY,
  path_key TEXT NOT NULL,
  process_id INTEGER NOT NULL,
  process_start INTEGER NOT NULL,
  access INTEGER NOT NULL,
  share INTEGER NOT NULL
);

CREATE INDEX open_files_by_path ON open_files (path_key);

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

-- The registry: keys by their case-folded full path ("hkey_local_machine\software"),
-- with the path as it was created and the folded path of the parent; the
-- predefined roots are keys without a parent. Values by key and folded name.
CREATE TABLE registry_keys (
  path_key TEXT PRIMARY KEY,
  path TEXT NOT NULL,
  parent_key TEXT
) WITHOUT ROWID;

CREATE INDEX registry_keys_by_parent ON registry_keys (parent_key);

CREATE TABLE registry_values (
  key_path_key TEXT NOT NULL,
  name_key TEXT NOT NULL,
  name TEXT NOT NULL,
  type INTEGER NOT NULL,
  data BLOB NOT NULL,
  PRIMARY KEY (key_path_key, name_key)
) WITHOUT ROWID;

-- Every self-registration entry point that ran to its end: the library's
-- path, the entry point, its result code and when it ended (UTC).
CREATE TABLE self_registrations (
  id INTEGER PRIMARY KEY,
  file TEXT NOT NULL,
  entry_point TEXT NOT NULL,
  result INTEGER NOT NULL,
  time TEXT NOT NULL
);
)sql";

const char* const kStateMigrationFrom2 = R"sql(
DROP TABLE files_in_use;
CREATE TABLE open_files (
  handle INTEGER PRIMARY KEY,
  path_key TEXT NOT NULL,
  process_id INTEGER NOT NULL,
  process_start INTEGER NOT NULL,
  access INTEGER NOT NULL,
  share INTEGER NOT NULL
);
CREATE INDEX open_files_by_path ON open_files (path_key);
PRAGMA user_version=3;
)sql";

}  // namespace lyn::sim
