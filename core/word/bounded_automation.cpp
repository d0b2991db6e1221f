#include "core/word/bounded_automation.hpp"

#include "core/word/office_messages.hpp"

#include <algorithm>
#include <condition_variable>
#include <exception>
#include <string>
#include <utility>

namespace kalkora {

// What the caller and one worker thread share. The worker owns its connection; a worker that
// was let go keeps this state alive through its own reference until it ends.
struct BoundedAutomation::Worker {
  std::mutex mutex;
  std::condition_variable changed;
  Call call;                         // given to the worker, not yet taken
  std::optional<bool> result;        // of the call taken last
  std::exception_ptr error;          // what that call threw, passed on to the caller
  WordAutomation* office = nullptr;  // the connection, while the worker has it
  int abandoning = 0;                // Abandon calls on `office` in progress elsewhere
  bool abandonRequested = false;
  bool quit = false;  // no further calls: end once the call in progress has returned
  bool ended = false;

  void Serve(const Connect& connect, const ThreadHooks& hooks);
};

void BoundedAutomation::Worker::Serve(const Connect& connect, const ThreadHooks& hooks) {
  if (hooks.start) hooks.start();
  std::unique_ptr<WordAutomation> connection;
  try {
    connection = connect();
  } catch (...) {
    // No connection: every call fails.
  }
  std::unique_lock lock(mutex);
  office = connection.get();
  for (;;) {
    changed.wait(lock, [this] { return quit || call; });
    if (quit) break;
    Call next = std::exchange(call, nullptr);
    lock.unlock();
    bool answer = false;
    std::exception_ptr thrown;
    try {
      answer = connection && next(*connection);
    } catch (...) {
      thrown = std::current_exception();
    }
    next = nullptr;
    lock.lock();
    result = answer;
    error = thrown;
    changed.notify_all();
  }
  // The connection is let go here, on the thread that made it (COM wants its apartment).
  changed.wait(lock, [this] { return abandoning == 0; });
  office = nullptr;
  lock.unlock();
  connection.reset();
  if (hooks.end) hooks.end();
  lock.lock();
  ended = true;
  changed.notify_all();
}

BoundedAutomation::BoundedAutomation(Connect connect, std::chrono::milliseconds limit,
                                     ThreadHooks hooks, Wait wait)
    : connect_(std::move(connect)),
      limit_(limit),
      exitLimit_(std::min<std::chrono::milliseconds>(limit, std::chrono::seconds(1))),
      hooks_(std::move(hooks)),
      wait_(std::move(wait)) {}

BoundedAutomation::~BoundedAutomation() {
  ReleaseAll();
  const std::shared_ptr<Worker> worker = TakeWorker();
  if (!worker) return;
  std::unique_lock lock(worker->mutex);
  worker->quit = true;
  worker->changed.notify_all();
  const bool ended = worker->changed.wait_for(lock, exitLimit_, [&] { return worker->ended; });
  lock.unlock();
  if (ended) {
    thread_.join();
  } else {
    thread_.detach();
  }
}

bool BoundedAutomation::HasWorker() {
  std::lock_guard lock(mutex_);
  if (!worker_) return false;
  std::lock_guard workerLock(worker_->mutex);
  return !worker_->abandonRequested;
}

bool BoundedAutomation::OfficeStillBusy() {
  if (!letGo_) return false;
  // Held here until the lock is gone: dropping letGo_ may free the worker and its mutex.
  const std::shared_ptr<Worker> worker = letGo_;
  std::lock_guard lock(worker->mutex);
  if (!worker->ended) return true;
  letGo_ = nullptr;
  return false;
}

std::shared_ptr<BoundedAutomation::Worker> BoundedAutomation::CurrentWorker() {
  if (HasWorker()) {
    std::lock_guard lock(mutex_);
    return worker_;
  }
  LetGo();
  auto worker = std::make_shared<Worker>();
  thread_ =
      std::thread([worker, connect = connect_, hooks = hooks_] { worker->Serve(connect, hooks); });
  std::lock_guard lock(mutex_);
  worker_ = worker;
  return worker;
}

std::shared_ptr<BoundedAutomation::Worker> BoundedAutomation::TakeWorker() {
  std::lock_guard lock(mutex_);
  return std::exchange(worker_, nullptr);
}

void BoundedAutomation::LetGo() {
  const std::shared_ptr<Worker> worker = TakeWorker();
  if (!worker) return;
  std::unique_lock lock(worker->mutex);
  worker->quit = true;
  WordAutomation* const office = worker->office;
  if (office) ++worker->abandoning;
  lock.unlock();
  worker->changed.notify_all();
  if (office) {
    office->Abandon();
    lock.lock();
    --worker->abandoning;
    lock.unlock();
    worker->changed.notify_all();
  }
  thread_.detach();
  letGo_ = worker;
}

bool BoundedAutomation::Run(Call call, std::chrono::milliseconds limit) {
  refusedAtOnce_ = OfficeStillBusy();
  if (refusedAtOnce_) return false;
  const std::shared_ptr<Worker> worker = CurrentWorker();
  std::unique_lock lock(worker->mutex);
  worker->call = std::move(call);
  worker->result.reset();
  worker->changed.notify_all();
  lock.unlock();
  const auto deadline = std::chrono::steady_clock::now() + limit;
  const Settled settled = [&](std::chrono::milliseconds step) {
    // Unlocked between steps: the hook may run the window's events, and one of them may ask
    // for an Abandon, which takes this lock.
    std::unique_lock held(worker->mutex);
    const auto until = std::min(deadline, std::chrono::steady_clock::now() + step);
    return worker->changed.wait_until(held, until, [&] {
      return worker->result.has_value() || worker->abandonRequested;
    }) || std::chrono::steady_clock::now() >= deadline;
  };
  WaitUntilSettled(wait_, settled, limit);
  lock.lock();
  if (worker->result) {
    if (worker->error) std::rethrow_exception(std::exchange(worker->error, nullptr));
    return *worker->result;
  }
  // No second wait: the call fails now, and its worker ends whenever the call returns.
  lock.unlock();
  LetGo();
  return false;
}

void BoundedAutomation::Abandon() {
  std::shared_ptr<Worker> worker;
  {
    std::lock_guard lock(mutex_);
    worker = worker_;
  }
  if (!worker) return;
  {
    std::lock_guard lock(worker->mutex);
    worker->abandonRequested = true;
  }
  worker->changed.notify_all();
}

std::optional<UserMessage> BoundedAutomation::ConnectionRefusal() {
  if (refusedAtOnce_) return OfficeMessage(kWordNotAnswering);
  if (!HasWorker()) return std::nullopt;
  auto refusal = std::make_shared<std::optional<UserMessage>>();
  const bool asked = Run(
      [refusal](WordAutomation& office) {
        *refusal = office.ConnectionRefusal();
        return true;
      },
      limit_);
  return asked ? *refusal : std::nullopt;
}

bool BoundedAutomation::CreateApplication() {
  return Run([](WordAutomation& office) { return office.CreateApplication(); }, limit_);
}

bool BoundedAutomation::AttachDocuments() {
  return Run([](WordAutomation& office) { return office.AttachDocuments(); }, limit_);
}

bool BoundedAutomation::TakeDocumentsObject() {
  return Run([](WordAutomation& office) { return office.TakeDocumentsObject(); }, limit_);
}

bool BoundedAutomation::AddDocument(std::string_view templatePath) {
  return Run([path = std::string(templatePath)](
                 WordAutomation& office) { return office.AddDocument(path); },
             limit_);
}

bool BoundedAutomation::ShowApplication() {
  return Run([](WordAutomation& office) { return office.ShowApplication(); }, limit_);
}

bool BoundedAutomation::MoveUp(std::int32_t unit, std::int32_t count, std::int32_t extend) {
  return Run([=](WordAutomation& office) { return office.MoveUp(unit, count, extend); }, limit_);
}

bool BoundedAutomation::MoveDown(std::int32_t unit, std::int32_t count, std::int32_t extend) {
  return Run([=](WordAutomation& office) { return office.MoveDown(unit, count, extend); }, limit_);
}

bool BoundedAutomation::MoveRight(std::int32_t unit, std::int32_t count, std::int32_t extend) {
  return Run([=](WordAutomation& office) { return office.MoveRight(unit, count, extend); }, limit_);
}

bool BoundedAutomation::TypeText(std::string_view text) {
  return Run([owned = std::string(text)](WordAutomation& office) { return office.TypeText(owned); },
             limit_);
}

bool BoundedAutomation::SetFontSize(float points) {
  return Run([=](WordAutomation& office) { return office.SetFontSize(points); }, limit_);
}

bool BoundedAutomation::ReleaseDocuments() {
  if (!HasWorker()) return !OfficeStillBusy();
  return Run([](WordAutomation& office) { return office.ReleaseDocuments(); }, limit_);
}

void BoundedAutomation::ReleaseAll() {
  if (!HasWorker()) return;
  Run(
      [](WordAutomation& office) {
        office.ReleaseAll();
        return true;
      },
      exitLimit_);
}

}  // namespace kalkora
