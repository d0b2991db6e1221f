#include "office/com/dispatch_call.hpp"

#include <oleauto.h>
#include <windows.h>

#include <algorithm>
#include <thread>
#include <vector>

namespace kalkora::com {
namespace {

constexpr std::chrono::milliseconds kRetryInterval(100);
thread_local std::chrono::milliseconds retryLimit = kOfficeRetryLimit;

bool IsBusyRejection(HRESULT hr) {
  return hr == RPC_E_CALL_REJECTED || hr == RPC_E_SERVERCALL_RETRYLATER;
}

HRESULT InvokeOnce(IDispatch* object, const wchar_t* name, WORD flags, std::span<VARIANT> arguments,
                   VARIANT* result) {
  if (!object) return E_POINTER;
  DISPID member = DISPID_UNKNOWN;
  LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
  HRESULT hr = object->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &member);
  if (FAILED(hr)) return hr;

  // IDispatch takes the arguments last to first.
  std::vector<VARIANT> reversed(arguments.rbegin(), arguments.rend());
  DISPID propertyPut = DISPID_PROPERTYPUT;
  DISPPARAMS parameters{};
  parameters.rgvarg = reversed.data();
  parameters.cArgs = static_cast<UINT>(reversed.size());
  if (flags & DISPATCH_PROPERTYPUT) {
    parameters.rgdispidNamedArgs = &propertyPut;
    parameters.cNamedArgs = 1;
  }
  EXCEPINFO exception{};
  UINT argumentError = 0;
  hr = object->Invoke(member, IID_NULL, LOCALE_USER_DEFAULT, flags, &parameters, result, &exception,
                      &argumentError);
  if (hr == DISP_E_EXCEPTION) {
    SysFreeString(exception.bstrSource);
    SysFreeString(exception.bstrDescription);
    SysFreeString(exception.bstrHelpFile);
  }
  return hr;
}

HRESULT Invoke(IDispatch* object, const wchar_t* name, WORD flags, std::span<VARIANT> arguments,
               VARIANT* result) {
  const auto deadline = std::chrono::steady_clock::now() + retryLimit;
  HRESULT hr = InvokeOnce(object, name, flags, arguments, result);
  while (IsBusyRejection(hr)) {
    const auto left = deadline - std::chrono::steady_clock::now();
    if (left <= left.zero()) break;
    std::this_thread::sleep_for(
        std::min<std::chrono::steady_clock::duration>(kRetryInterval, left));
    hr = InvokeOnce(object, name, flags, arguments, result);
  }
  return hr;
}

}  // namespace

void SetRejectedCallRetryLimit(std::chrono::milliseconds limit) { retryLimit = limit; }

HRESULT CallMethod(IDispatch* object, const wchar_t* name, std::span<VARIANT> arguments,
                   VARIANT* result) {
  return Invoke(object, name, DISPATCH_METHOD, arguments, result);
}

HRESULT GetObjectProperty(IDispatch* object, const wchar_t* name, DispatchRef& value) {
  value.Reset();
  VARIANT result;
  VariantInit(&result);
  HRESULT hr = Invoke(object, name, DISPATCH_PROPERTYGET, {}, &result);
  if (SUCCEEDED(hr)) {
    if (result.vt == VT_DISPATCH && result.pdispVal) {
      value = DispatchRef(std::exchange(result.pdispVal, nullptr));
    } else {
      hr = DISP_E_TYPEMISMATCH;
    }
  }
  VariantClear(&result);
  return hr;
}

HRESULT GetProperty(IDispatch* object, const wchar_t* name, VARIANT* value) {
  VariantInit(value);
  return Invoke(object, name, DISPATCH_PROPERTYGET, {}, value);
}

HRESULT PutProperty(IDispatch* object, const wchar_t* name, VARIANT value) {
  return Invoke(object, name, DISPATCH_PROPERTYPUT, std::span<VARIANT>(&value, 1), nullptr);
}

}  // namespace kalkora::com
