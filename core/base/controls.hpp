#pragma once

#include <string>
#include <string_view>

namespace kalkora {

// The window's controls, addressed by their form names. Every handler reads a control at the
// moment it needs it; nothing is cached on this side.
class Controls {
 public:
  virtual ~Controls() = default;

  // Check boxes and radio buttons: 1 when ticked or selected, else 0.
  virtual int ReadState(std::string_view name) = 0;
  // Check boxes only: tick (1) or clear (0).
  virtual void WriteState(std::string_view name, int state) = 0;
  // Edit boxes: the whole text, UTF-8.
  virtual std::string ReadText(std::string_view name) = 0;
  virtual void WriteText(std::string_view name, std::string_view text) = 0;
  // The status bar's panels, 0 (clock) and 1 (messages).
  virtual void SetPanelText(int index, std::string_view text) = 0;
};

// A check box or radio button counts as ticked only when its state reads exactly 1.
inline bool IsTicked(Controls& controls, std::string_view name) {
  return controls.ReadState(name) == 1;
}

}  // namespace kalkora
