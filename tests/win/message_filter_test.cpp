// A busy office: the message filter's answers, its registration on the calling thread, and the
// call wrapper's own retries of rejected calls.
#include <gtest/gtest.h>
#include <objbase.h>

#include <chrono>
#include <memory>
#include <thread>

#include "fakes/simulated_word_processor.hpp"
#include "office/com/dispatch_call.hpp"
#include "office/com/message_filter.hpp"
#include "recording_word.hpp"

namespace kalkora {
namespace {

using namespace std::chrono_literals;
using com::kFilterCancelsCall;

struct RejectedCase {
  DWORD rejectType;
  DWORD elapsed;
  DWORD answer;
};

TEST(OfficeMessageFilter, RetriesBusyRejectionsEvery100msUntilTheLimit) {
  const RejectedCase cases[] = {
      {SERVERCALL_RETRYLATER, 0, 100},
      {SERVERCALL_REJECTED, 0, 100},
      {SERVERCALL_RETRYLATER, 29'900, 100},
      {SERVERCALL_REJECTED, 29'950, 50},  // the last retry at the limit
      {SERVERCALL_REJECTED, 30'000, kFilterCancelsCall},
      {SERVERCALL_RETRYLATER, 45'000, kFilterCancelsCall},
      {SERVERCALL_ISHANDLED, 0, kFilterCancelsCall},
  };
  IMessageFilter* filter = com::NewOfficeMessageFilter(30s);
  for (const RejectedCase& rejected : cases) {
    SCOPED_TRACE(std::to_string(rejected.rejectType) + " after " +
                 std::to_string(rejected.elapsed) + " ms");
    EXPECT_EQ(filter->RetryRejectedCall(nullptr, rejected.elapsed, rejected.rejectType),
              rejected.answer);
  }
  EXPECT_EQ(filter->HandleInComingCall(0, nullptr, 0, nullptr),
            static_cast<DWORD>(SERVERCALL_ISHANDLED));
  EXPECT_EQ(filter->Release(), 0u);
}

// The filter COM has for the calling thread, taken out and put back; nullptr when none.
IMessageFilter* CurrentFilter() {
  IMessageFilter* current = nullptr;
  CoRegisterMessageFilter(nullptr, &current);
  if (current) {
    IMessageFilter* none = nullptr;
    CoRegisterMessageFilter(current, &none);
    current->Release();  // COM holds it again
  }
  return current;
}

// Wine's COM does not act on a server's RETRYLATER, so this is as far as it can be checked
// here: the filter is the one COM has for this thread, and for this thread only.
TEST(OfficeMessageFilter, IsRegisteredOnTheCallingThreadOnly) {
  ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
  ASSERT_TRUE(com::RegisterOfficeMessageFilter(2s));
  IMessageFilter* registered = CurrentFilter();
  ASSERT_NE(registered, nullptr);
  EXPECT_EQ(registered->RetryRejectedCall(nullptr, 1'000, SERVERCALL_RETRYLATER), 100u);
  EXPECT_EQ(registered->RetryRejectedCall(nullptr, 2'000, SERVERCALL_RETRYLATER),
            kFilterCancelsCall);

  IMessageFilter* onAnotherThread = registered;
  std::thread([&] {
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    onAnotherThread = CurrentFilter();
    CoUninitialize();
  }).join();
  EXPECT_EQ(onAnotherThread, nullptr);

  com::UnregisterOfficeMessageFilter();
  EXPECT_EQ(CurrentFilter(), nullptr);
  CoUninitialize();
}

// The window's time limit makes Word's calls on workers of its own: each has the filter while
// it makes them, and gives it back with its apartment when it ends.
TEST(OfficeMessageFilter, IsRegisteredOnEachWorkerOfTheTimeLimit) {
  IMessageFilter* onWorker = nullptr;
  std::thread::id worker;
  {
    BoundedAutomation bounded(
        [&] {
          onWorker = CurrentFilter();
          worker = std::this_thread::get_id();
          return std::make_unique<testing::SimulatedWordProcessor>();
        },
        2s, com::OfficeApartmentHooks(2s));
    ASSERT_TRUE(bounded.CreateApplication());
  }
  EXPECT_NE(onWorker, nullptr);
  EXPECT_NE(worker, std::this_thread::get_id());
  EXPECT_EQ(CurrentFilter(), nullptr) << "the filter stays with the worker";
}

struct RetryCase {
  const char* name;
  int rejectNext;
  bool rejectAll;
  bool succeeds;
};

TEST(DispatchCall, RetriesRejectedCallsWithinTheThreadsRetryLimit) {
  const RetryCase cases[] = {
      {"never rejected", 0, false, true},
      {"rejected three times", 3, false, true},
      {"rejected for ever", 0, true, false},
  };
  constexpr auto kLimit = 350ms;
  com::SetRejectedCallRetryLimit(kLimit);
  for (const RetryCase& retry : cases) {
    SCOPED_TRACE(retry.name);
    testing::Recorder recorder;
    recorder.rejectNext = retry.rejectNext;
    recorder.rejectAll = retry.rejectAll;
    IDispatch* application = testing::NewRecordingApplication(recorder);
    VARIANT visible;
    VariantInit(&visible);
    visible.vt = VT_BOOL;
    visible.boolVal = VARIANT_TRUE;

    const auto started = std::chrono::steady_clock::now();
    const HRESULT hr = com::PutProperty(application, L"Visible", visible);
    const auto took = std::chrono::steady_clock::now() - started;
    application->Release();

    EXPECT_EQ(SUCCEEDED(hr), retry.succeeds);
    EXPECT_EQ(recorder.Lines().size(), retry.succeeds ? 1u : 0u);
    if (retry.rejectAll) {
      EXPECT_EQ(hr, RPC_E_CALL_REJECTED);
      EXPECT_GE(recorder.rejected, 4);  // at 0, 100, 200, 300 and 350 ms
      EXPECT_GE(took, kLimit);
      EXPECT_LT(took, kLimit + 200ms);
    } else {
      EXPECT_EQ(recorder.rejected, retry.rejectNext);
    }
  }
  com::SetRejectedCallRetryLimit(com::kOfficeRetryLimit);
}

}  // namespace
}  // namespace kalkora
