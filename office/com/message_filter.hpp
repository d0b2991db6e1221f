#pragma once

#include <objidl.h>

#include <chrono>

#include "core/word/bounded_automation.hpp"
#include "office/com/dispatch_call.hpp"

namespace kalkora::com {

// An OLE message filter for the thread that calls the office. Word, like any out-of-process
// server, rejects calls while it is busy (starting, or showing one of its dialogs); without a
// filter COM fails such a call at once with RPC_E_CALL_REJECTED. This filter has COM try the
// call again every 100 ms while the limit has not passed since the call was made:
// RetryRejectedCall answers SERVERCALL_RETRYLATER and SERVERCALL_REJECTED with 100 (or the
// milliseconds left, if fewer), anything else and any call past the limit with
// kFilterCancelsCall. Incoming calls are all taken, and window messages that arrive while a
// call waits are handled as usual. The new filter has one reference, the caller's.
IMessageFilter* NewOfficeMessageFilter(std::chrono::milliseconds retryLimit);
inline constexpr DWORD kFilterCancelsCall = static_cast<DWORD>(-1);

// Registers the filter on the calling thread (an initialised single-threaded apartment) and
// gives the late-bound calls made on it the same limit for their own retries. Call it on the
// thread that makes the office's calls; false when COM refused the filter.
bool RegisterOfficeMessageFilter(std::chrono::milliseconds retryLimit = kOfficeRetryLimit);
// Takes the calling thread's filter away again, before the apartment is uninitialised.
void UnregisterOfficeMessageFilter();

// For the workers of the time limit: each starts as a single-threaded apartment with the
// office message filter, and ends by taking the filter away and leaving the apartment, after
// its connection to Word has been released.
BoundedAutomation::ThreadHooks OfficeApartmentHooks(std::chrono::milliseconds retryLimit);

}  // namespace kalkora::com
