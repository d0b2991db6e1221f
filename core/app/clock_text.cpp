#include "core/app/clock_text.hpp"

#include "core/base/date_text.hpp"

namespace kalkora {

void OnClockTick(Controls& controls, Clock& clock) {
  controls.SetPanelText(0, DateTimeText(clock.Now()));
}

}  // namespace kalkora
