#include "core/generate/kind_heading.hpp"

namespace kalkora {

std::string KindHeading(ExerciseKind kind) {
  const ExerciseKindInfo& info = KindInfo(kind);
  std::string heading = "  ";
  heading.append(info.headingWord);
  heading.append(static_cast<std::size_t>(info.headingSpaces), ' ');
  heading.append("评分：");
  return heading;
}

std::string AnswerKeyHeading(ExerciseKind kind) {
  std::string heading = "  ";
  heading.append(KindInfo(kind).headingWord);
  heading.append("答案");
  return heading;
}

}  // namespace kalkora
