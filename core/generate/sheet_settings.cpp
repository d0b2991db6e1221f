#include "core/generate/sheet_settings.hpp"

#include "core/base/form_names.hpp"

namespace kalkora {

SheetSettings ReadSheetSettings(Controls& controls) {
  SheetSettings settings;
  settings.kind = FirstTickedKind(controls);
  settings.size = IsTicked(controls, form::kSize18)   ? 18
                  : IsTicked(controls, form::kSize24) ? 24
                  : IsTicked(controls, form::kSize30) ? 30
                                                      : 0;
  settings.from = controls.ReadText(form::kRangeFrom);
  settings.to = controls.ReadText(form::kRangeTo);
  settings.decimals = IsTicked(controls, form::kDecimalsOn);
  settings.places = controls.ReadText(form::kDecimalPlaces);
  return settings;
}

}  // namespace kalkora
