// The variants of the compatibility matrix: named ways a person's machine
// differs from the default person's on the same Windows edition. A variant
// is a set of settings in the profile file's "FIELD = VALUE" form, under a
// "[name]" header, with a few settings of its own:
//
//   [german]
//   Description = a German Windows: Users group "Benutzer", code page 1252
//   UsersGroupName = Benutzer
//   CommonFiles = {ProgramFiles}\Gemeinsame Dateien für Programme
//
// - `Description`: one line saying what the variant is.
// - `Requires = elevation prompt`: the variant only applies to an edition
//   where Windows asks the person before the setup program starts.
// - a profile field (`lynsim fields`), or `Security:PATH` with an SDDL text,
//   as `lynsim new --set` takes them.
// - `Place:WINPATH = HOSTFILE`: copies a host file onto the machine before
//   the install; a relative HOSTFILE lies in lynsim's product folder (the
//   system files' stand-ins are under "system/<system>/").
// - `Hold = WINPATH`: a program of the machine holds that file open during
//   the install, as a running program holds its own image.
// In every value, "{Field}" stands for the edition's value of that profile
// field, so that one variant fits editions whose folders differ.
#pragma once

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "platform/sim/machine/profile.h"

namespace lyn::lynsim {

struct Variant {
  std::string name;
  std::string description;
  bool needsElevationPrompt = false;
  // The settings after the description and requirement, in order.
  std::vector<std::pair<std::string, std::string>> settings;
};

// The name of the variant every other is compared with.
inline constexpr const char* kDefaultVariant = "default";

// The variants lynsim brings, the default person first, as the text of a
// variant file (what `lynsim matrix variants` prints).
const std::string& BuiltInVariantsText();
const std::vector<Variant>& BuiltInVariants();

// Reads a variant file's text; `source` names it in errors. Throws
// std::invalid_argument naming the source and line for a malformed line, a
// name used twice, an unknown requirement, or a setting no edition could
// take (checked against the default preset).
std::vector<Variant> ParseVariants(const std::string& text, const std::string& source);

// What a combination of an edition and a variant makes.
struct MachinePlan {
  sim::Profile profile;
  bool applies = true;  // false: the edition lacks what the variant requires
  std::vector<std::pair<std::string, std::string>> security;          // PATH, SDDL
  std::vector<std::pair<std::string, std::filesystem::path>> placed;  // WINPATH, host file
  std::vector<std::string> held;                                      // WINPATH
};

// The plan of the variant on the preset's profile. Throws
// std::invalid_argument for a setting the edition cannot take.
MachinePlan PlanMachine(const sim::Profile& preset, const Variant& variant);

}  // namespace lyn::lynsim
