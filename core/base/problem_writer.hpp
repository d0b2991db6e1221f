#pragma once

#include <string_view>

namespace kalkora {

// Where the sheet loop puts its texts; false means the office stopped answering.
class ProblemWriter {
 public:
  virtual ~ProblemWriter() = default;
  virtual bool WriteProblemText(std::string_view text) = 0;
  virtual bool AdvanceCells(int count) = 0;
};

}  // namespace kalkora
