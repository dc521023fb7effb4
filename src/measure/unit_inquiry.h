#pragma once

#include "measure/force_unit.h"

#include <cstdint>

namespace vestrix::measure {

// Keeps the unit of the connected instrument: asks for it once the
// instrument is heard (its first measurement: an answer sent before the
// reader listens reaches nobody), asks again a few times when no answer
// comes, and again after TensUnit was written. An instrument that never
// answers is used all the same, its unit unknown.
class UnitInquiry {
 public:
  static constexpr int kTries = 3;
  static constexpr std::int64_t kRetryMs = 1000;

  // A connection began or ended: the unit is unknown until it is said.
  void connectionStarted();
  void connectionEnded();
  // TensUnit was written: the unit is asked for again.
  void unitWritten();
  // A measurement arrived at a time of the monotonic clock: whether to ask
  // for the unit now (the caller sends the request).
  bool askNow(std::int64_t nowMs);
  // A TensUnit reply with its list position; whether it answers this
  // object's own question (the window keeps such a reply off its pages).
  bool replied(int position, std::int64_t nowMs);

  ForceUnit unit() const { return unit_; }

 private:
  bool connected_ = false;
  ForceUnit unit_ = ForceUnit::Unknown;
  int triesLeft_ = 0;
  std::int64_t nextAsk_ = 0;
  std::int64_t ownAnswerUntil_ = -1;  // a reply before this answers our question
};

}  // namespace vestrix::measure
