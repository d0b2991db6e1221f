#include "ui/win32/control_ids.hpp"

#include "core/app/form_table.hpp"

namespace kalkora::win32 {

int ControlId(std::string_view name) {
  const ControlSpec* item = FindControl(name);
  if (!item) return 0;
  return 1001 + static_cast<int>(item - MainForm().controls.data());
}

}  // namespace kalkora::win32
