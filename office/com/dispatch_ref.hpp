#pragma once

#include <oaidl.h>

#include <utility>

namespace kalkora::com {

// Owns one reference to an automation object; releasing an empty reference does nothing.
class DispatchRef {
 public:
  DispatchRef() = default;
  explicit DispatchRef(IDispatch* adopted) : object_(adopted) {}
  DispatchRef(const DispatchRef&) = delete;
  DispatchRef& operator=(const DispatchRef&) = delete;
  DispatchRef(DispatchRef&& other) noexcept : object_(std::exchange(other.object_, nullptr)) {}
  DispatchRef& operator=(DispatchRef&& other) noexcept {
    if (this != &other) {
      Reset();
      object_ = std::exchange(other.object_, nullptr);
    }
    return *this;
  }
  ~DispatchRef() { Reset(); }

  // A second reference to the same object.
  DispatchRef Share() const {
    if (object_) object_->AddRef();
    return DispatchRef(object_);
  }
  void Reset() {
    if (object_) std::exchange(object_, nullptr)->Release();
  }
  IDispatch* get() const { return object_; }
  explicit operator bool() const { return object_ != nullptr; }

 private:
  IDispatch* object_ = nullptr;
};

}  // namespace kalkora::com
