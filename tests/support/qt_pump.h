#pragma once

#include <QCoreApplication>
#include <QElapsedTimer>

#include <functional>

namespace vestrix::testing {

// Runs the Qt event loop until the condition holds or the time is up.
inline bool PumpUntil(const std::function<bool()>& done, int timeoutMs = 5000) {
  QElapsedTimer timer;
  timer.start();
  while (!done()) {
    if (timer.elapsed() > timeoutMs) return false;
    QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
  }
  return true;
}

inline void PumpFor(int ms) {
  QElapsedTimer timer;
  timer.start();
  while (timer.elapsed() < ms) QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
}

}  // namespace vestrix::testing
