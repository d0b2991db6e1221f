#include "core/app/kind_selection.hpp"

#include "core/base/exercise_kind.hpp"

namespace kalkora {

void OnKindBoxClicked(Controls& controls, std::string_view box) {
  if (!IsTicked(controls, box)) return;
  for (const ExerciseKindInfo& info : kExerciseKinds) {
    if (info.box == box) controls.SetPanelText(1, info.confirmation);
  }
  for (const ExerciseKindInfo& info : kExerciseKinds) {
    if (info.box != box) controls.WriteState(info.box, 0);
  }
}

}  // namespace kalkora
