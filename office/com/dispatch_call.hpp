#pragma once

#include <oaidl.h>

#include <span>

#include "office/com/dispatch_ref.hpp"

namespace kalkora::com {

// Late-bound member calls: the member is looked up by name (GetIDsOfNames) on every call and
// invoked with the arguments in their natural order. Every failure, an automation error raised
// by the object included, comes back as a failed HRESULT.
HRESULT CallMethod(IDispatch* object, const wchar_t* name, std::span<VARIANT> arguments,
                   VARIANT* result = nullptr);
HRESULT GetObjectProperty(IDispatch* object, const wchar_t* name, DispatchRef& value);
HRESULT PutProperty(IDispatch* object, const wchar_t* name, VARIANT value);

}  // namespace kalkora::com
