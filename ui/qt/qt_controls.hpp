#pragma once

#include <QWidget>

#include "core/base/controls.hpp"

namespace kalkora::qt {

// The controls interface over the window's real widgets, found by their form names at every
// call. A name the window does not have reads as 0 or "" and writes nothing.
class QtControls : public Controls {
 public:
  explicit QtControls(QWidget& window) : window_(window) {}

  int ReadState(std::string_view name) override;
  void WriteState(std::string_view name, int state) override;
  std::string ReadText(std::string_view name) override;
  void WriteText(std::string_view name, std::string_view text) override;
  void SetPanelText(int index, std::string_view text) override;

 private:
  template <typename Widget>
  Widget* Find(std::string_view name) const;

  QWidget& window_;
};

}  // namespace kalkora::qt
