#pragma once

#include <optional>
#include <string>
#include <vector>

#include "core/app/batch_command.hpp"
#include "core/base/clock.hpp"
#include "core/base/exercise_kind.hpp"
#include "core/generate/sheet_rules.hpp"
#include "core/generate/sheet_settings.hpp"

namespace kalkora {

// What a kalkora-sheets command line asks for: the form's settings and the class set.
struct SheetsOptions {
  ExerciseKind kind = ExerciseKind::Addition;
  int problems = 18;
  std::string from = "1";
  std::string to = "100";
  std::optional<std::string> decimals;  // the places text; none: decimals off
  BatchRequest request;                 // sheets, first code, answers, date, output
  SheetRules rules;                     // the difficulty rules; none set: the classic sheets
};

enum class CommandLineAction { Run, Help, Version, ListPresets, UsageError };

struct ParsedCommandLine {
  CommandLineAction action = CommandLineAction::Run;
  SheetsOptions options;
  std::string error;  // a usage error's one-line reason
};

// Reads the arguments after the program name. Options are "--name value" or "--name=value";
// the argument after an option that takes a value is always its value, even when it begins
// with "-". The first usage error, --help, --version or --list-presets met ends the reading.
// Without --date the date is `now`; with it, that day at midnight. --preset fills the kind,
// both ranges, the result range and the rules and turns decimals off, wherever it stands; the
// other options given override it.
ParsedCommandLine ParseSheetsCommandLine(const std::vector<std::string>& arguments,
                                         const LocalDateTime& now);

// The sheets' settings: the form's defaults but for what the options say; without --decimals
// decimals are off and the places text keeps the form's "2".
SheetSettings SettingsOf(const SheetsOptions& options);

// The usage line and a pointer to --help, shown after a usage error.
std::string SheetsUsage();
// The whole help text of --help.
std::string SheetsHelp();

}  // namespace kalkora
