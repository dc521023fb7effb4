// Input reports as a device may send them: any bytes, any length.
// Asserts beyond "does not crash":
//  - the message is read only within its length (ASan: the bytes sit in a
//    heap block of exactly that size);
//  - the latest sample changes only through a measurement message, and a
//    measurement is announced with the sample it left behind;
//  - every text shown in an edit box is short and free of control characters.
#include "protocol/report_dispatcher.h"

#include <cstdlib>
#include <cstring>
#include <memory>

namespace {

using namespace vestrix::protocol;

struct Sink : MessageSink {
  int measurements = 0;
  MeasurementSample announced;
  void showStatus(const QString& identifier) override {
    if (identifier.isEmpty()) std::abort();
  }
  void showValue(const Parameter&, const QString& text) override {
    if (text.isEmpty() || text.size() > 40) std::abort();
    for (const QChar c : text) {
      if (c.unicode() < 0x20) std::abort();
    }
  }
  void selectChoice(const Parameter&, int) override {}
  void measurementReceived(const MeasurementSample& sample) override {
    ++measurements;
    announced = sample;
  }
};

// Field by field (padding is nobody's business); floats by their bits, NaN included.
bool Same(const MeasurementSample& a, const MeasurementSample& b) {
  auto bits = [](float f) {
    std::uint32_t u;
    std::memcpy(&u, &f, sizeof u);
    return u;
  };
  return a.year == b.year && a.month == b.month && a.day == b.day && a.hour == b.hour && a.minute == b.minute &&
         a.second == b.second && bits(a.tensValue) == bits(b.tensValue) &&
         bits(a.counterValue) == bits(b.counterValue) && bits(a.analogValue) == bits(b.analogValue) &&
         bits(a.minValue) == bits(b.minValue) && bits(a.maxValue) == bits(b.maxValue) && a.relay1 == b.relay1 &&
         a.relay2 == b.relay2;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const QChar separator = data[0] & 1 ? QLatin1Char(',') : QLatin1Char('.');
  const std::size_t length = size - 1;
  std::unique_ptr<std::uint8_t[]> message(new std::uint8_t[length == 0 ? 1 : length]);
  std::memcpy(message.get(), data + 1, length);

  Sink sink;
  MeasurementSample latest{};
  latest.year = 1999;  // a marker that only a measurement overwrites
  const MeasurementSample before = latest;
  DispatchMessage(length == 0 ? nullptr : message.get(), length, sink, latest, separator);
  if (sink.measurements > 1) std::abort();
  if (sink.measurements == 0 && !Same(before, latest)) std::abort();
  if (sink.measurements == 1 && !Same(sink.announced, latest)) std::abort();
  return 0;
}
