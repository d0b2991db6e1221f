// PDF through Word: the calls and their order against the recording stand-in, what a failing
// or hanging Word leaves behind, and that every reference is given back.
#include <gtest/gtest.h>
#include <objbase.h>
#include <windows.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "office/com/word_document_converter.hpp"
#include "recording_factory.hpp"
#include "recording_word.hpp"
#include "system/win32/utf16.hpp"

namespace kalkora {
namespace {

using namespace std::chrono_literals;
namespace fs = std::filesystem;

const std::string kDocx = "C:\\班级\\口算题卡-2026-12-09-答案.docx";
const std::string kPdf = "C:\\班级\\口算题卡-2026-12-09-答案.pdf";

const std::string kOpen = "Documents.Open(BSTR:" + kDocx +
                          ",BOOL:false,BOOL:true,BOOL:false,missing,missing,missing,missing,"
                          "missing,missing,missing,BOOL:false)";
const std::string kExport = "Document.ExportAsFixedFormat(BSTR:" + kPdf + ",I4:17)";

class WordDocumentConverterTest : public ::testing::Test {
 protected:
  com::ApplicationFactory Recording() { return testing::RecordingFactory(recorder); }
  void WaitUntilAllReleased() { testing::WaitUntilAllReleased(recorder); }

  testing::Recorder recorder;
};

struct ConversionCase {
  const char* name;
  std::string failMember;
  int otherDocuments;  // open in Word besides ours
  bool converted;
  std::vector<std::string> calls;
};

TEST_F(WordDocumentConverterTest, OpensExportsAndClosesWithoutSavingInThisOrder) {
  const ConversionCase cases[] = {
      {"converted",
       "",
       0,
       true,
       {"Application.Documents", kOpen, kExport, "Document.Close(I4:0)", "Documents.Count",
        "Application.Quit(I4:0)"}},
      {"the user's documents stay open",
       "",
       2,
       true,
       {"Application.Documents", kOpen, kExport, "Document.Close(I4:0)", "Documents.Count"}},
      {"export fails",
       "ExportAsFixedFormat",
       0,
       false,
       {"Application.Documents", kOpen, kExport, "Document.Close(I4:0)", "Documents.Count",
        "Application.Quit(I4:0)"}},
      {"open fails",
       "Open",
       0,
       false,
       {"Application.Documents", kOpen, "Documents.Count", "Application.Quit(I4:0)"}},
  };
  for (const ConversionCase& conversion : cases) {
    SCOPED_TRACE(conversion.name);
    recorder.calls.clear();
    recorder.failMember = conversion.failMember;
    recorder.openDocuments = conversion.otherDocuments;
    com::WordDocumentConverter converter(Recording(), 5s);
    EXPECT_EQ(converter.ConvertToPdf(kDocx, kPdf), conversion.converted);
    EXPECT_EQ(recorder.Lines(), conversion.calls);
    EXPECT_EQ(recorder.Outstanding(), 0);
  }
}

TEST_F(WordDocumentConverterTest, WithoutWordNothingIsCalled) {
  com::WordDocumentConverter converter([](com::DispatchRef&) { return REGDB_E_CLASSNOTREG; }, 5s);
  EXPECT_FALSE(converter.ConvertToPdf(kDocx, kPdf));
  EXPECT_FALSE(com::WordIsRegistered());
}

// A Word that hangs in the export: the conversion fails within the limit, and the PDF that
// Word writes once it answers again is removed.
TEST_F(WordDocumentConverterTest, HangingExportFailsWithinTheLimitAndLeavesNoPdf) {
  const fs::path pdf = fs::temp_directory_path() / fs::path(win32::ToUtf16("口算题卡-挂起.pdf"));
  recorder.hangMember = "ExportAsFixedFormat";
  recorder.hangRelease = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  com::WordDocumentConverter converter(Recording(), 300ms);

  const auto started = std::chrono::steady_clock::now();
  EXPECT_FALSE(converter.ConvertToPdf(kDocx, win32::ToUtf8(pdf.wstring())));
  EXPECT_LT(std::chrono::steady_clock::now() - started, 2s);

  std::ofstream(pdf) << "%PDF-1.7 written late";
  SetEvent(recorder.hangRelease);
  WaitUntilAllReleased();
  EXPECT_EQ(recorder.Outstanding(), 0);
  for (int i = 0; i < 100 && fs::exists(pdf); ++i) std::this_thread::sleep_for(10ms);
  EXPECT_FALSE(fs::exists(pdf));
  CloseHandle(recorder.hangRelease);
}

}  // namespace
}  // namespace kalkora
