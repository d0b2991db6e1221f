#include "golden/golden_sheets.hpp"

#include <fstream>
#include <sstream>
#include <vector>

#include "core/base/exercise_kind.hpp"
#include "core/base/form_names.hpp"
#include "core/generate/sheet.hpp"
#include "core/generate/sheet_loop.hpp"
#include "core/word/sheet_pages.hpp"
#include "core/word/zip_reading.hpp"
#include "fakes/fake_clock.hpp"
#include "fakes/memory_controls.hpp"
#include "fakes/recording.hpp"

namespace kalkora::testing {
namespace {

struct Range {
  const char* from;
  const char* to;
};

// A plain range, a reversed one, one below zero, the largest a bound reads, and one typed in
// full-width digits.
constexpr Range kRanges[] = {
    {"1", "100"}, {"100", "1"}, {"-20", "50"}, {"0", "2147483647"}, {"１", "５０"}};
constexpr const char* kPlaces[] = {"off", "1", "2", "3", "5"};
constexpr int kSizes[] = {18, 24, 30};
constexpr LocalDateTime kDate{2026, 12, 9, 8, 30, 0};

std::string_view SizeRadio(int size) {
  return size == 18 ? form::单选框1 : size == 24 ? form::单选框2 : form::单选框3;
}

MemoryControls Form(ExerciseKind kind, int size, const std::string& places, const Range& range) {
  MemoryControls controls;
  controls.ChooseKind(kind);
  controls.Select(SizeRadio(size));
  controls.WriteText(form::编辑框1, range.from);
  controls.WriteText(form::编辑框2, range.to);
  if (places != "off") {
    controls.Select(form::单选框5);
    controls.WriteText(form::编辑框3, places);
  }
  return controls;
}

// What the classic sheet loop typed, and the cells it moved on after each problem.
RecordingProblemWriter ClassicRun(Controls& controls, int size) {
  FakeClock clock;
  clock.tick = kGoldenFirstTick;
  ProgramState state;
  RecordingProblemWriter writer;
  RunSheetLoop(controls, state, clock, size, writer);
  return writer;
}

// One class set: its kind, size, decimals, range, first code and sheet count.
struct SetCase {
  ExerciseKind kind;
  int size;
  const char* places;
  Range range;
  int firstCode;
  int sheets;
};

constexpr SetCase kSets[] = {
    {ExerciseKind::Addition, 18, "off", {"1", "100"}, 482913, 3},
    {ExerciseKind::Subtraction, 30, "2", {"1", "100"}, 999998, 3},
    {ExerciseKind::Multiplication, 24, "3", {"10", "99"}, 100000, 2},
    {ExerciseKind::Division, 24, "off", {"1", "100"}, 654321, 3},
    {ExerciseKind::Division, 18, "2", {"1", "100"}, 777777, 2},
    {ExerciseKind::AddSubMixed, 30, "1", {"100", "1"}, 123456, 2},
    {ExerciseKind::MulDivMixed, 18, "off", {"2", "20"}, 500000, 2},
    {ExerciseKind::FourOpMixed, 30, "off", {"1", "100"}, 314159, 2},
    {ExerciseKind::ChainAddition, 24, "off", {"1", "50"}, 271828, 2},
    {ExerciseKind::ChainAddSub, 30, "off", {"1", "100"}, 161803, 2},
    {ExerciseKind::Fraction, 18, "off", {"1", "100"}, 999999, 2},
    {ExerciseKind::Fraction, 24, "off", {"-20", "50"}, 424242, 2},
};

std::vector<Sheet> SetSheets(const SetCase& set) {
  const std::string places = set.places;
  const SheetSettings settings{set.kind,     set.size,        set.range.from,
                               set.range.to, places != "off", places == "off" ? "2" : places};
  std::vector<Sheet> sheets;
  for (int i = 0; i < set.sheets; ++i) {
    sheets.push_back(MakeSheet(settings, SheetCode(set.firstCode, i), kDate));
  }
  return sheets;
}

void WritePage(std::ostream& out, const char* what, const DocumentPage& page) {
  out << what << " heading\t" << page.heading << '\n';
  for (std::size_t i = 0; i < page.cells.size(); ++i)
    out << (i + 1) << '\t' << page.cells[i] << '\n';
  out << what << " date\t" << page.dateLine << '\n';
}

std::string DocumentXml(const std::vector<DocumentPage>& pages) {
  const ZipTime stamp{2026, 12, 9, 8, 30, 0};
  return EntryContents(ReadZip(WriteDocx(pages, stamp)), "word/document.xml");
}

}  // namespace

std::string ClassicSheetTexts() {
  std::ostringstream out;
  for (const ExerciseKindInfo& info : kExerciseKinds) {
    for (const int size : kSizes) {
      for (const std::string places : kPlaces) {
        for (const Range& range : kRanges) {
          MemoryControls controls = Form(info.kind, size, places, range);
          const RecordingProblemWriter run = ClassicRun(controls, size);
          for (std::size_t p = 0; p < run.texts.size(); ++p) {
            const int moved = p < run.advances.size() ? run.advances[p] : 0;
            out << info.box << '\t' << size << '\t' << places << '\t' << range.from << '\t'
                << range.to << '\t' << (p + 1) << '\t' << run.texts[p] << '\t' << moved << '\n';
          }
        }
      }
    }
  }
  return out.str();
}

std::string ClassSetTexts() {
  std::ostringstream out;
  for (const SetCase& set : kSets) {
    out << "set " << KindInfo(set.kind).box << ", " << set.size << " problems, places "
        << set.places << ", " << set.range.from << " to " << set.range.to << ", from code "
        << set.firstCode << '\n';
    for (const Sheet& sheet : SetSheets(set)) {
      WritePage(out, "sheet", WorksheetPage(sheet));
      WritePage(out, "key", AnswerKeyPage(sheet));
    }
  }
  return out.str();
}

std::vector<std::string> PinnedClassicTexts(std::string_view box, int size) {
  std::ifstream file(std::string(KALKORA_GOLDEN_DIR) + "/classic_sheets.tsv");
  const std::string key = std::string(box) + '\t' + std::to_string(size) + "\toff\t1\t100\t";
  std::vector<std::string> texts;
  for (std::string line; std::getline(file, line);) {
    if (!line.starts_with(key)) continue;
    const std::size_t text = line.find('\t', key.size()) + 1;
    texts.push_back(line.substr(text, line.rfind('\t') - text));
  }
  return texts;
}

std::map<std::string, std::string> ClassSetDocuments() {
  std::map<std::string, std::string> documents;
  for (const SetCase& set : {kSets[0], kSets[3], kSets[1]}) {
    std::vector<DocumentPage> sheets, keys;
    for (const Sheet& sheet : SetSheets(set)) {
      sheets.push_back(WorksheetPage(sheet));
      keys.push_back(AnswerKeyPage(sheet));
    }
    const std::string stem = "set" + std::to_string(set.size);
    documents[stem + "-sheets.document.xml"] = DocumentXml(sheets);
    documents[stem + "-key.document.xml"] = DocumentXml(keys);
  }
  return documents;
}

}  // namespace kalkora::testing
