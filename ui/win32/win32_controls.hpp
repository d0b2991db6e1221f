#pragma once

#include <windows.h>

#include <map>
#include <string>

#include "core/base/controls.hpp"

namespace kalkora::win32 {

// The controls interface over the window's native controls, found by form name.
class Win32Controls : public Controls {
 public:
  void Add(std::string_view name, HWND control) { controls_.emplace(name, control); }
  void SetStatusBar(HWND statusBar) { statusBar_ = statusBar; }
  HWND Find(std::string_view name) const;

  int ReadState(std::string_view name) override;
  void WriteState(std::string_view name, int state) override;
  std::string ReadText(std::string_view name) override;
  void WriteText(std::string_view name, std::string_view text) override;
  void SetPanelText(int index, std::string_view text) override;

 private:
  std::map<std::string, HWND, std::less<>> controls_;
  HWND statusBar_ = nullptr;
};

}  // namespace kalkora::win32
