#include "word_call_lines.hpp"

#include <algorithm>
#include <string_view>

namespace kalkora::testing {
namespace {

// "MoveUp(7,1,0)" -> "I4:7,I4:1,I4:0"
std::string Int32Arguments(std::string_view list) {
  std::string out = "I4:";
  for (char c : list) out += c == ',' ? std::string(",I4:") : std::string(1, c);
  return out;
}

std::string Inside(std::string_view call) {
  const auto open = call.find('(');
  return std::string(call.substr(open + 1, call.size() - open - 2));
}

}  // namespace

std::vector<std::string> ExpectedWordCalls(const std::vector<std::string>& simulatedCalls) {
  std::vector<std::string> lines;
  for (const std::string& call : simulatedCalls) {
    if (call == "AttachDocuments") {
      lines.push_back("Application.Documents");
    } else if (call.starts_with("AddDocument(")) {
      lines.push_back("Documents.add(BSTR:" + Inside(call) + ")");
    } else if (call == "Visible=true") {
      lines.push_back("Application.Visible=BOOL:true");
    } else if (call.starts_with("Move")) {
      const std::string member = call.substr(0, call.find('('));
      lines.push_back("Selection." + member + "(" + Int32Arguments(Inside(call)) + ")");
    } else if (call.starts_with("TypeText(")) {
      lines.push_back("Selection.TypeText(BSTR:" + Inside(call) + ")");
    } else if (call.starts_with("Font.Size=")) {
      lines.push_back("Font.Size=R4:" + call.substr(call.find('=') + 1));
    }
  }
  return lines;
}

std::vector<std::string> OperationCalls(const std::vector<std::string>& recordedLines) {
  std::vector<std::string> lines;
  std::ranges::copy_if(recordedLines, std::back_inserter(lines), [](const std::string& line) {
    return line != "Documents.Parent" && line != "Application.Selection" &&
           line != "Selection.Font";
  });
  return lines;
}

}  // namespace kalkora::testing
