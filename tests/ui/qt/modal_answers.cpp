#include "modal_answers.hpp"

#include <gtest/gtest.h>

#include <QDialog>
#include <QTimer>
#include <algorithm>

namespace kalkora::testing {
namespace {

constexpr int kPollMilliseconds = 5;
constexpr int kMostPolls = 400;  // two seconds

}  // namespace

void ModalAnswers::Run(const std::function<void()>& action) {
  running_ = true;
  Arm();
  action();
  running_ = false;
  EXPECT_TRUE(steps_.empty()) << steps_.size() << " expected dialogs did not appear";
  steps_.clear();
}

void ModalAnswers::Arm() {
  QTimer::singleShot(kPollMilliseconds, &guard_, [this] { Poll(); });
}

void ModalAnswers::Poll() {
  if (!running_) return;
  QWidget* modal = QApplication::activeModalWidget();
  // A step that waits inside its dialog must not have that dialog answered by the next one.
  const bool beingAnswered =
      std::find(answering_.begin(), answering_.end(), modal) != answering_.end();
  if (modal && !beingAnswered && !steps_.empty() && steps_.front().matches(modal)) {
    const Step step = steps_.front();
    steps_.pop_front();
    waited_ = 0;
    // The next poll must already be waiting when this step opens a dialog of its own.
    Arm();
    answering_.push_back(modal);
    step.act(modal);
    answering_.pop_back();
    return;
  }
  waited_ = modal && modal == waitingOn_ ? waited_ + 1 : 0;
  waitingOn_ = modal;
  if (waited_ >= kMostPolls) {
    ADD_FAILURE() << "a dialog nobody answers: " << modal->metaObject()->className() << " "
                  << modal->windowTitle().toStdString();
    if (auto* dialog = qobject_cast<QDialog*>(modal)) dialog->reject();
    waited_ = 0;
  }
  Arm();
}

}  // namespace kalkora::testing
