#pragma once

#include <string>
#include <string_view>

namespace kalkora {

struct UserMessage {
  std::string text;
  std::string caption;

  bool operator==(const UserMessage&) const = default;
};

// A modal box with one OK button; Show returns once the user has closed it.
class MessageBox {
 public:
  virtual ~MessageBox() = default;
  virtual void Show(const UserMessage& message) = 0;
};

}  // namespace kalkora
