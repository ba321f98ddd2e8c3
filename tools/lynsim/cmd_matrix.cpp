// lynsim matrix OUT [--presets LIST|all] [--variants LIST|FILE] [--jobs N]
// [--pictures] [--shard K/N] [--time-limit SECONDS] [--keep-machines]: the
// compatibility matrix. One machine per edition and variant under OUT, the
// whole install and the uninstall on each, side by side; then OUT/matrix.json
// and OUT/index.html. `lynsim matrix merge OUT PART...` joins the parts of a
// sharded run; `lynsim matrix variants` prints the built-in variants as a
// variant file.
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <iostream>
#include <memory>
#include <optional>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "command.h"
#include "matrix_combination.h"
#include "matrix_document.h"
#include "matrix_jobs.h"
#include "matrix_progress.h"
#include "matrix_record.h"
#include "matrix_scratch.h"
#include "platform/sim/machine/closest_names.h"
#include "text_file.h"

namespace lyn::lynsim {
namespace {

namespace fs = std::filesystem;

struct Options {
  std::string out;
  std::string presets = "all";
  std::string variants;
  std::size_t jobs = 1;
  bool pictures = false;
  std::string shard;
  std::optional<double> timeLimit;
  bool keepMachines = false;
  std::string mergeInto;
  std::vector<std::string> parts;
};

constexpr const char* kFooter =
    "Each combination: a machine from the preset with the variant's settings, the install as\n"
    "the default person does it (licence accepted, every message box answered Yes or OK,\n"
    "Continue, Finish), then the uninstaller through the uninstall entry, and lynsim diff\n"
    "against the machine before the install. The default person's variant always runs: the\n"
    "others are told against it. OUT gets matrix.json (docs/lynsim-matrix.md), index.html and\n"
    "runs/PRESET/VARIANT/ with each combination's page, transcripts, logs and differences.\n"
    "Exit statuses:\n"
    "  0  every combination ran to its record, whatever its outcome\n"
    "  1  a combination failed or hung (its record says so), or the host failed\n"
    "  2  the command line is wrong, or OUT is not an empty folder\n";

std::vector<std::string> Split(const std::string& list) {
  std::vector<std::string> items;
  std::istringstream in(list);
  for (std::string item; std::getline(in, item, ',');) {
    if (!item.empty()) items.push_back(item);
  }
  return items;
}

std::vector<sim::Preset> SelectPresets(const std::string& list) {
  if (list == "all") return sim::Presets();
  std::vector<sim::Preset> presets;
  for (const std::string& name : Split(list)) {
    try {
      presets.push_back(sim::FindPreset(name));
    } catch (const std::invalid_argument& e) {
      throw UsageError{e.what()};
    }
  }
  if (presets.empty()) throw UsageError{"--presets names no preset"};
  return presets;
}

std::vector<Variant> ReadVariantFile(const std::string& file) {
  const std::optional<std::string> text = ReadTextFile(file);
  if (!text) throw UsageError{"cannot read the variant file '" + file + "'"};
  try {
    return ParseVariants(*text, file);
  } catch (const std::invalid_argument& e) {
    throw UsageError{e.what()};
  }
}

// The variants of the list, built-in names and variant files alike, the
// default person's first whether named or not.
std::vector<Variant> SelectVariants(const std::string& list) {
  const std::vector<Variant>& builtIn = BuiltInVariants();
  std::vector<Variant> chosen;
  const auto add = [&](const Variant& variant) {
    for (const Variant& known : chosen) {
      if (known.name == variant.name)
        throw UsageError{"the variant '" + variant.name + "' is chosen twice"};
    }
    chosen.push_back(variant);
  };
  if (list.empty()) {
    for (const Variant& variant : builtIn) add(variant);
  }
  for (const std::string& item : Split(list)) {
    std::error_code error;
    if (fs::is_regular_file(item, error) || item.find('/') != std::string::npos) {
      for (const Variant& variant : ReadVariantFile(item)) add(variant);
      continue;
    }
    const auto found = std::find_if(builtIn.begin(), builtIn.end(),
                                    [&](const Variant& variant) { return variant.name == item; });
    if (found == builtIn.end()) {
      std::vector<std::string> names;
      for (const Variant& variant : builtIn) names.push_back(variant.name);
      const auto closest = sim::ClosestNames(item, names, 1);
      throw UsageError{"'" + item + "' is neither a variant (lynsim matrix variants) nor a file" +
                       (closest.empty() ? "" : "; did you mean " + closest.front() + "?")};
    }
    add(*found);
  }
  if (std::none_of(chosen.begin(), chosen.end(),
                   [](const Variant& variant) { return variant.name == kDefaultVariant; })) {
    chosen.insert(chosen.begin(), builtIn.front());
  }
  std::stable_partition(chosen.begin(), chosen.end(),
                        [](const Variant& variant) { return variant.name == kDefaultVariant; });
  return chosen;
}

std::optional<Shard> ParseShard(const std::string& text) {
  if (text.empty()) return std::nullopt;
  Shard shard;
  char slash = 0;
  std::istringstream in(text);
  if (!(in >> shard.part >> slash >> shard.of) || slash != '/' || !in.eof() || shard.of < 1 ||
      shard.part < 1 || shard.part > shard.of) {
    throw UsageError{"--shard takes K/N with 1 <= K <= N, not '" + text + "'"};
  }
  return shard;
}

void MakeEmptyFolder(const fs::path& folder) {
  std::error_code error;
  if (fs::exists(folder, error) &&
      !(fs::is_directory(folder, error) && fs::is_empty(folder, error))) {
    throw UsageError{"'" + folder.string() + "' is not an empty folder"};
  }
  fs::create_directories(folder);
}

// A combination's record between its end and the writing of the matrix.
constexpr const char* kPendingRecord = "record.json";

struct Combination {
  CombinationName name;
  MachinePlan plan;
  bool run = false;
};

int RunMatrix(const Options& options) {
  const std::vector<sim::Preset> presets = SelectPresets(options.presets);
  const std::vector<Variant> variants = SelectVariants(options.variants);
  const std::optional<Shard> shard = ParseShard(options.shard);
  std::vector<Combination> combinations;
  for (const sim::Preset& preset : presets) {
    for (const Variant& variant : variants) {
      const std::size_t index = combinations.size();
      Combination combination{{preset.name, variant.name}, {}, false};
      try {
        combination.plan = PlanMachine(preset.profile, variant);
      } catch (const std::invalid_argument& e) {
        throw UsageError{"the variant '" + variant.name + "' on " + preset.name + ": " + e.what()};
      }
      combination.run = !shard || static_cast<int>(index % static_cast<std::size_t>(shard->of)) ==
                                      shard->part - 1;
      combinations.push_back(std::move(combination));
    }
  }
  const fs::path out = options.out;
  MakeEmptyFolder(out);

  std::vector<Record> records;
  std::vector<std::size_t> jobs;  // the combinations to run, by index
  for (std::size_t i = 0; i < combinations.size(); ++i) {
    const Combination& combination = combinations[i];
    const char* outcome = !combination.run            ? outcomes::kNotRun
                          : !combination.plan.applies ? outcomes::kNotApplicable
                                                      : nullptr;
    records.push_back(EmptyRecord(combination.name, outcome ? outcome : outcomes::kNotRun));
    if (outcome == nullptr) jobs.push_back(i);
  }
  const MatrixScratch scratch(!options.keepMachines);
  MatrixProgress progress(std::cout, isatty(STDOUT_FILENO) == 1, jobs.size());
  JobsPlan plan;
  plan.count = jobs.size();
  plan.parallel = options.jobs;
  // An install in the window waits on the window as a person would.
  const double timeLimit = options.timeLimit.value_or(options.pictures ? 300 : 60);
  plan.limitSeconds = timeLimit;
  plan.body = [&](std::size_t job) {
    const Combination& combination = combinations[jobs[job]];
    const fs::path folder = out / combination.name.Folder();
    const fs::path machines = scratch.For(job, folder);
    fs::create_directories(folder);
    fs::create_directories(machines);
    return RunCombination(
        CombinationRun{combination.plan, folder, machines, options.pictures, options.keepMachines});
  };
  // Each record waits on the disk until every job has ended, so that this
  // process does not grow with the jobs done and every job forked from it
  // starts from the same memory.
  long peakKiB = 0;
  plan.ended = [&](std::size_t job, const JobEnd& end) {
    const Combination& combination = combinations[jobs[job]];
    const Record record =
        CombinationRecord(out, combination.name, combination.plan, end, timeLimit);
    WriteTextFile(out / combination.name.Folder() / kPendingRecord, record.dump());
    peakKiB = std::max(peakKiB, end.peakKiB);
    progress.Ended(combination.name.preset + " with " + combination.name.variant,
                   record["outcome"]);
  };
  plan.tick = [&] { progress.Tick(); };
  RunJobs(plan);
  progress.Done();
  for (const std::size_t index : jobs) {
    const fs::path pending = out / combinations[index].name.Folder() / kPendingRecord;
    records[index] = Record::parse(ReadTextFile(pending).value_or(""));
    fs::remove(pending);
  }
  WriteMatrix(out, MatrixDocument(PresetsJson(presets), VariantsJson(variants), shard, records));
  std::cout << jobs.size() << " combinations run, " << progress.failed()
            << " failed or hung; at most " << (peakKiB + 1023) / 1024
            << " MiB in one combination; the page: " << (out / "index.html").string() << "\n";
  return progress.failed() == 0 ? kExitDone : kExitFailed;
}

int RunMerge(const Options& options) {
  std::vector<fs::path> parts(options.parts.begin(), options.parts.end());
  fs::create_directories(options.mergeInto);
  const Record document = MergeParts(options.mergeInto, parts);
  WriteMatrix(options.mergeInto, document);
  std::size_t notRun = 0;
  for (const auto& combination : document["combinations"]) {
    notRun += combination["outcome"] == outcomes::kNotRun ? 1 : 0;
  }
  std::cout << "merged " << parts.size() << " parts; " << notRun
            << " combinations not run by any; the page: "
            << (fs::path(options.mergeInto) / "index.html").string() << "\n";
  return kExitDone;
}

const Command kMatrix([](CLI::App& app) {
  auto options = std::make_shared<Options>();
  options->jobs = static_cast<std::size_t>(std::max(1L, sysconf(_SC_NPROCESSORS_ONLN)));
  CLI::App& command = AddCommand(
      app, "matrix",
      "The compatibility matrix: the install and the uninstall on a machine of every preset "
      "and variant, side by side, and one page of the outcomes (OUT/index.html)",
      "lynsim matrix /tmp/matrix --presets winxp-pro,win7-ultimate-sp1 --variants "
      "standard-user,cd");
  command.footer(kFooter + ("\n" + command.get_footer()));
  command.add_option("OUT", options->out, "an empty or absent folder for the matrix");
  command.add_option("--presets", options->presets, "presets, comma-separated, or all")
      ->type_name("LIST|all")
      ->capture_default_str();
  command
      .add_option("--variants", options->variants,
                  "variants (lynsim matrix variants) and variant files, comma-separated; "
                  "default: every built-in variant")
      ->type_name("LIST|FILE");
  command.add_option("--jobs,-j", options->jobs, "combinations run at a time")
      ->check(CLI::Range(1, 256))
      ->capture_default_str();
  command.add_flag("--pictures", options->pictures,
                   "run each install in the window and keep a picture of every phase "
                   "(needs Xvfb; slower)");
  command
      .add_option("--shard", options->shard,
                  "run only the K-th of N disjoint parts; lynsim matrix merge joins them")
      ->type_name("K/N");
  command
      .add_option("--time-limit", options->timeLimit,
                  "seconds a combination may take before it is cut and recorded as hung "
                  "(default: 60, with --pictures 300)")
      ->check(CLI::Range(0.1, 86400.0))
      ->type_name("SECONDS");
  command.add_flag("--keep-machines", options->keepMachines,
                   "make each combination's machine and its copy from before the install in "
                   "the combination's folder, and keep them");

  CLI::App* merge = command.add_subcommand(
      "merge", "Joins the parts of a sharded matrix (each an OUT of --shard) into one page");
  merge->add_option("OUT", options->mergeInto, "the folder for the whole matrix")->required();
  merge->add_option("PART", options->parts, "the parts' folders")->required()->expected(1, -1);
  CLI::App* list = command.add_subcommand(
      "variants", "Prints the built-in variants as a variant file, to copy for --variants FILE");
  return [options, merge, list]() -> int {
    if (merge->parsed()) return RunMerge(*options);
    if (list->parsed()) {
      std::cout << BuiltInVariantsText();
      return kExitDone;
    }
    if (options->out.empty())
      throw UsageError{"lynsim matrix needs OUT, the folder for the matrix"};
    return RunMatrix(*options);
  };
});

}  // namespace
}  // namespace lyn::lynsim
