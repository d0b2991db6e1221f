#include "app/win32/control_ids.hpp"

#include "app/form_table.hpp"

namespace kalkora {

int ControlId(std::string_view name) {
  const ControlSpec* spec = FindControl(name);
  if (!spec) return 0;
  return 1001 + static_cast<int>(spec - MainForm().controls.data());
}

}  // namespace kalkora
