#pragma once

#include <oaidl.h>

#include <chrono>
#include <span>

#include "office/com/dispatch_ref.hpp"

namespace kalkora::com {

// Late-bound member calls: the member is looked up by name (GetIDsOfNames) on every call and
// invoked with the arguments in their natural order. Every failure, an automation error raised
// by the object included, comes back as a failed HRESULT. A call that the office rejects
// because it is busy (RPC_E_CALL_REJECTED, RPC_E_SERVERCALL_RETRYLATER) is made again every
// 100 ms until the calling thread's retry limit has passed since its first try.
HRESULT CallMethod(IDispatch* object, const wchar_t* name, std::span<VARIANT> arguments,
                   VARIANT* result = nullptr);
HRESULT GetObjectProperty(IDispatch* object, const wchar_t* name, DispatchRef& value);
// A property of any type; the caller clears `value`.
HRESULT GetProperty(IDispatch* object, const wchar_t* name, VARIANT* value);
HRESULT PutProperty(IDispatch* object, const wchar_t* name, VARIANT value);

// The one time limit of an office call, within which a busy office's rejections are retried.
inline constexpr std::chrono::milliseconds kOfficeRetryLimit = std::chrono::seconds(30);
// The retry limit of the calls made on the calling thread from now on; kOfficeRetryLimit until
// set.
void SetRejectedCallRetryLimit(std::chrono::milliseconds limit);

}  // namespace kalkora::com
