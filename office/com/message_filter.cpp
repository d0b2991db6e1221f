#include "office/com/message_filter.hpp"

#include <objbase.h>

#include <algorithm>
#include <atomic>
#include <utility>

namespace kalkora::com {
namespace {

constexpr DWORD kRetryAfterMilliseconds = 100;

// A COM object is only ever destroyed by its own Release, never through a base pointer.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"
class OfficeMessageFilter final : public IMessageFilter {
 public:
  explicit OfficeMessageFilter(std::chrono::milliseconds retryLimit) : retryLimit_(retryLimit) {}

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
    if (!object) return E_POINTER;
    if (iid == IID_IUnknown || iid == IID_IMessageFilter) {
      *object = static_cast<IMessageFilter*>(this);
      AddRef();
      return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
  ULONG STDMETHODCALLTYPE Release() override {
    const ULONG left = --references_;
    if (left == 0) delete this;
    return left;
  }

  DWORD STDMETHODCALLTYPE HandleInComingCall(DWORD, HTASK, DWORD, LPINTERFACEINFO) override {
    return SERVERCALL_ISHANDLED;
  }
  DWORD STDMETHODCALLTYPE RetryRejectedCall(HTASK, DWORD elapsed, DWORD rejectType) override {
    const bool busy = rejectType == SERVERCALL_RETRYLATER || rejectType == SERVERCALL_REJECTED;
    const auto limit = static_cast<unsigned long long>(retryLimit_.count());
    if (!busy || elapsed >= limit) return kFilterCancelsCall;
    return static_cast<DWORD>(
        std::min<unsigned long long>(kRetryAfterMilliseconds, limit - elapsed));
  }
  DWORD STDMETHODCALLTYPE MessagePending(HTASK, DWORD, DWORD) override {
    return PENDINGMSG_WAITDEFPROCESS;
  }

 private:
  ~OfficeMessageFilter() = default;

  const std::chrono::milliseconds retryLimit_;
  std::atomic<ULONG> references_{1};
};
#pragma GCC diagnostic pop

}  // namespace

IMessageFilter* NewOfficeMessageFilter(std::chrono::milliseconds retryLimit) {
  return new OfficeMessageFilter(retryLimit);
}

bool RegisterOfficeMessageFilter(std::chrono::milliseconds retryLimit) {
  SetRejectedCallRetryLimit(retryLimit);
  IMessageFilter* filter = NewOfficeMessageFilter(retryLimit);
  IMessageFilter* previous = nullptr;
  const HRESULT hr = CoRegisterMessageFilter(filter, &previous);
  if (previous) previous->Release();
  filter->Release();  // COM holds its own reference while the filter is registered
  return SUCCEEDED(hr);
}

void UnregisterOfficeMessageFilter() {
  IMessageFilter* previous = nullptr;
  if (SUCCEEDED(CoRegisterMessageFilter(nullptr, &previous)) && previous) previous->Release();
}

BoundedAutomation::ThreadHooks OfficeApartmentHooks(std::chrono::milliseconds retryLimit) {
  // Whether this worker entered an apartment, so that it leaves only one it entered.
  static thread_local bool entered = false;
  return {[retryLimit] {
            entered = SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
            if (entered) RegisterOfficeMessageFilter(retryLimit);
          },
          [] {
            if (!std::exchange(entered, false)) return;
            UnregisterOfficeMessageFilter();
            CoUninitialize();
          }};
}

}  // namespace kalkora::com
