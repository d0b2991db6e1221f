#pragma once

#include <chrono>
#include <functional>
#include <optional>

namespace kalkora {

// The one way the program waits on an office with a time limit, shared by the sheet's calls
// (BoundedAutomation) and by a document's conversion.
//
// The caller waits until `settled(step)` is true; settled blocks at most `step` and is true
// once the work has answered or its limit has passed. A window fills the wait in to go on
// answering its display system while the user's input stays blocked; empty, it is one plain
// wait.
using Settled = std::function<bool(std::chrono::milliseconds step)>;
using OfficeWait = std::function<void(const Settled& settled)>;

// Waits through `wait`, or without one in steps of `limit`, until `settled` says so.
void WaitUntilSettled(const OfficeWait& wait, const Settled& settled,
                      std::chrono::milliseconds limit);

// Work of several office calls, run on a thread of its own. `nextCall` comes before each call;
// false means the caller has given up, and no further call may be made. It owns everything it
// uses: after a time-out it outlives the caller's wait.
using BoundedWork = std::function<bool(const std::function<bool()>& nextCall)>;
// On the work's thread once it has returned: `taken` says whether the caller got its result,
// so that what the work left behind can be removed when nobody will use it.
using AfterWork = std::function<void(bool taken, bool result)>;

// Runs `work` and waits for it while each of its calls starts within `limit` of the one before
// (the first within `limit` of the start). The work's result; none once one call has taken
// longer, and then the work's thread is let go to end by itself whenever the office answers.
std::optional<bool> RunBoundedWork(BoundedWork work, AfterWork after,
                                   std::chrono::milliseconds limit, const OfficeWait& wait = {});

}  // namespace kalkora
