#include "matrix_document.h"

#include <map>
#include <optional>
#include <stdexcept>
#include <utility>

#include "matrix_differences.h"
#include "matrix_page.h"
#include "matrix_record.h"
#include "text_file.h"

namespace lyn::lynsim {
namespace {

namespace fs = std::filesystem;

constexpr const char* kDocument = "matrix.json";

using Key = std::pair<std::string, std::string>;  // preset, variant

Key KeyOf(const Record& combination) {
  return {combination["preset"], combination["variant"]};
}

bool Ran(const Record& combination) {
  return combination["outcome"] != outcomes::kNotRun;
}

Record ReadDocument(const fs::path& folder) {
  const std::optional<std::string> text = ReadTextFile(folder / kDocument);
  if (!text) throw std::runtime_error("no " + (folder / kDocument).string() + " to merge");
  Record document = Record::parse(*text, nullptr, false);
  if (document.is_discarded() || !document.contains("combinations")) {
    throw std::runtime_error((folder / kDocument).string() + " is not a matrix's record");
  }
  return document;
}

}  // namespace

Record PresetsJson(const std::vector<sim::Preset>& presets) {
  Record json = Record::array();
  for (const sim::Preset& preset : presets) {
    json.push_back({{"name", preset.name}, {"description", preset.description}});
  }
  return json;
}

Record VariantsJson(const std::vector<Variant>& variants) {
  Record json = Record::array();
  for (const Variant& variant : variants) {
    Record settings = Record::array();
    for (const auto& [field, value] : variant.settings) settings.push_back(field + " = " + value);
    json.push_back(
        {{"name", variant.name},
         {"description", variant.description},
         {"requires", variant.needsElevationPrompt ? Record("elevation prompt") : nullptr},
         {"settings", settings}});
  }
  return json;
}

Record MatrixDocument(const Record& presets, const Record& variants,
                      const std::optional<Shard>& shard, std::vector<Record> combinations) {
  std::map<std::string, const Record*> baselines;
  for (const Record& combination : combinations) {
    if (combination["variant"] == kDefaultVariant && Ran(combination)) {
      baselines[combination["preset"]] = &combination;
    }
  }
  std::vector<Record> differences;
  for (const Record& combination : combinations) {
    const auto baseline = baselines.find(combination["preset"]);
    const bool compared = Ran(combination) && combination["outcome"] != outcomes::kNotApplicable &&
                          baseline != baselines.end();
    differences.push_back(compared ? Record(Differences(combination, *baseline->second)) : nullptr);
  }
  for (std::size_t i = 0; i < combinations.size(); ++i) {
    combinations[i]["differences"] = differences[i];
  }
  return {{"presets", presets},
          {"variants", variants},
          {"shard", shard ? Record{{"part", shard->part}, {"of", shard->of}} : Record(nullptr)},
          {"combinations", combinations}};
}

void WriteMatrix(const fs::path& out, const Record& document) {
  WriteTextFile(out / kDocument, document.dump(1) + "\n");
  WritePages(out, document);
}

Record MergeParts(const fs::path& out, const std::vector<fs::path>& parts) {
  Record first;
  std::map<Key, Record> ran;
  std::vector<Key> order;
  for (const fs::path& part : parts) {
    const Record document = ReadDocument(part);
    if (first.is_null()) {
      first = document;
      for (const Record& combination : document["combinations"])
        order.push_back(KeyOf(combination));
    } else if (document["presets"] != first["presets"] ||
               document["variants"] != first["variants"]) {
      throw std::runtime_error(part.string() + " spans other editions or variants than " +
                               parts.front().string());
    }
    for (Record combination : document["combinations"]) {
      if (!Ran(combination)) continue;
      const Key key = KeyOf(combination);
      if (ran.count(key) != 0) {
        throw std::runtime_error(key.first + " with " + key.second + " ran in two parts");
      }
      const CombinationName name{key.first, key.second};
      std::error_code error;
      if (!fs::equivalent(part, out, error) && fs::exists(part / name.Folder(), error)) {
        fs::create_directories((out / name.Folder()).parent_path());
        fs::copy(part / name.Folder(), out / name.Folder(),
                 fs::copy_options::recursive | fs::copy_options::overwrite_existing);
      }
      ran[key] = std::move(combination);
    }
  }
  std::vector<Record> combinations;
  for (const Key& key : order) {
    const auto found = ran.find(key);
    combinations.push_back(found != ran.end() ? found->second
                                              : EmptyRecord(CombinationName{key.first, key.second},
                                                            outcomes::kNotRun));
  }
  return MatrixDocument(first["presets"], first["variants"], std::nullopt, combinations);
}

}  // namespace lyn::lynsim
