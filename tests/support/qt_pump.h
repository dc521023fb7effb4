#pragma once

#include <QEventLoop>
#include <QTimer>

#include <functional>

namespace vestrix::testing {

// Runs the Qt event loop until the condition holds or the time is up,
// sleeping while there is nothing to do; the condition is checked every
// few milliseconds.
inline bool PumpUntil(const std::function<bool()>& done, int timeoutMs = 5000) {
  if (done()) return true;
  QEventLoop loop;
  QTimer check;
  QObject::connect(&check, &QTimer::timeout, &loop, [&] {
    if (done()) loop.quit();
  });
  check.start(2);
  QTimer::singleShot(timeoutMs, &loop, &QEventLoop::quit);
  loop.exec();
  return done();
}

inline void PumpFor(int ms) {
  QEventLoop loop;
  QTimer::singleShot(ms, &loop, &QEventLoop::quit);
  loop.exec();
}

}  // namespace vestrix::testing
