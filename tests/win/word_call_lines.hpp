#pragma once

#include <string>
#include <vector>

namespace kalkora::testing {

// The calls Word must see, as RecordedCall lines, for the operations a SimulatedWordProcessor
// logged: the releases and the taking of DocumentsObject reach Word as no call at all.
std::vector<std::string> ExpectedWordCalls(const std::vector<std::string>& simulatedCalls);

// The recorded lines without the fetches of the selection and its font, which happen lazily.
std::vector<std::string> OperationCalls(const std::vector<std::string>& recordedLines);

}  // namespace kalkora::testing
