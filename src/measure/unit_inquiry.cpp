#include "measure/unit_inquiry.h"

namespace vestrix::measure {

void UnitInquiry::connectionStarted() {
  connected_ = true;
  unit_ = ForceUnit::Unknown;
  triesLeft_ = kTries;
  nextAsk_ = 0;
  ownAnswerUntil_ = -1;
}

void UnitInquiry::connectionEnded() {
  connected_ = false;
  unit_ = ForceUnit::Unknown;
  triesLeft_ = 0;
  ownAnswerUntil_ = -1;
}

void UnitInquiry::unitWritten() {
  if (!connected_) return;
  triesLeft_ = kTries;
  nextAsk_ = 0;
}

bool UnitInquiry::askNow(std::int64_t nowMs) {
  if (!connected_ || triesLeft_ == 0 || nowMs < nextAsk_) return false;
  --triesLeft_;
  nextAsk_ = nowMs + kRetryMs;
  ownAnswerUntil_ = nowMs + kRetryMs;
  return true;
}

bool UnitInquiry::replied(int position, std::int64_t nowMs) {
  unit_ = ForceUnitAt(position);
  // Answered: no more asking until the unit is written again.
  triesLeft_ = 0;
  const bool own = nowMs < ownAnswerUntil_;
  ownAnswerUntil_ = -1;
  return own;
}

}  // namespace vestrix::measure
