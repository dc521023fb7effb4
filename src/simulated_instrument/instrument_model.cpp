#include "simulated_instrument/instrument_model.h"

#include "protocol/codecs.h"
#include "protocol/message_codes.h"
#include "protocol/parameter_table.h"

#include <QDateTime>

#include <chrono>
#include <cmath>
#include <numbers>

namespace vestrix::sim {

namespace {

using protocol::ValueKind;

constexpr std::uint8_t kTensCoef = 34, kTensOffset = 33, kEncCoef = 21, kEncOffset = 20, kAdcCoef = 11, kAdcOffset = 10;
constexpr std::uint8_t kPk1Source = 50, kPk1On = 51, kPk1Off = 52, kPk2Source = 54, kPk2On = 55, kPk2Off = 56;

InstrumentTime LocalTime() {
  const QDateTime now = QDateTime::currentDateTime();
  const QDate d = now.date();
  const QTime t = now.time();
  return {static_cast<std::uint16_t>(d.year()),  static_cast<std::uint8_t>(d.month()),
          static_cast<std::uint8_t>(d.day()),    static_cast<std::uint8_t>(t.hour()),
          static_cast<std::uint8_t>(t.minute()), static_cast<std::uint8_t>(t.second())};
}

}  // namespace

InstrumentModel::InstrumentModel() {
  for (const protocol::Parameter& p : protocol::Parameters()) {
    std::array<std::uint8_t, 4> bytes{};
    switch (p.kind) {
      case ValueKind::Float32: protocol::PutFloat32(bytes.data(), static_cast<float>(p.defaultValue)); break;
      case ValueKind::UInt32: protocol::PutUInt32(bytes.data(), static_cast<std::uint32_t>(p.defaultValue)); break;
      case ValueKind::Index:
      case ValueKind::ModbusAddress: bytes[0] = static_cast<std::uint8_t>(p.defaultValue); break;
    }
    values_[p.readCode] = bytes;
  }
  const auto start = std::chrono::steady_clock::now();
  seconds_ = [start] { return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count(); };
  clock_ = LocalTime;
}

std::vector<std::uint8_t> InstrumentModel::storedValue(std::uint8_t readCode) const {
  const protocol::Parameter* p = protocol::FindParameterByReadCode(readCode);
  if (p == nullptr) return {};
  const auto& bytes = values_.at(readCode);
  return {bytes.begin(), bytes.begin() + (p->writeLength() - 1)};
}

float InstrumentModel::storedFloat(std::uint8_t readCode) const {
  return protocol::MessageView(values_.at(readCode).data(), 4).float32(0);
}

std::uint8_t InstrumentModel::storedIndex(std::uint8_t readCode) const { return values_.at(readCode)[0]; }

std::optional<std::vector<std::uint8_t>> InstrumentModel::handle(const std::uint8_t* message, std::size_t size) {
  const protocol::MessageView m(message, size);
  const std::uint8_t code = m.code();
  if (unanswered_.count(code) != 0) return std::nullopt;
  if (code == protocol::kReadMeasurement) {
    const auto encoded = protocol::EncodeMeasurement(measure());
    return std::vector<std::uint8_t>(encoded.begin(), encoded.end());
  }
  if (protocol::FindParameterByReadCode(code) != nullptr) {
    std::vector<std::uint8_t> reply{code};
    const std::vector<std::uint8_t> value = storedValue(code);
    reply.insert(reply.end(), value.begin(), value.end());
    return reply;
  }
  if (code & protocol::kWriteFlag) {
    const std::uint8_t readCode = code & ~protocol::kWriteFlag;
    if (const protocol::Parameter* p = protocol::FindParameterByReadCode(readCode)) {
      std::array<std::uint8_t, 4> bytes{};
      for (std::uint32_t i = 0; i + 1 < p->writeLength(); ++i) bytes[i] = m.byte(1 + i);
      values_[readCode] = bytes;
      return std::nullopt;  // writes are not answered
    }
  }
  switch (code) {
    case protocol::kTaring: tare_ = rawLoad(seconds_()); return std::vector<std::uint8_t>{code};
    case protocol::kResetMinMax: minMaxValid_ = false; return std::vector<std::uint8_t>{code};
    case protocol::kInputCalibration: return std::vector<std::uint8_t>{code};
    default: return std::nullopt;
  }
}

double InstrumentModel::rawLoad(double t) {
  std::uniform_real_distribution<double> noise(-noise_, noise_);
  const double jitter = noise_ > 0 ? noise(random_) : 0;
  if (signal_ == Signal::Wave) return 500 + 400 * std::sin(2 * std::numbers::pi * t / 8) + jitter;
  const auto test = static_cast<long long>(std::floor(t / kTestCycle));
  const double u = t - static_cast<double>(test) * kTestCycle;
  const double peak = kTestPeaks[static_cast<std::size_t>(test % static_cast<long long>(kTestPeaks.size()))];
  if (u < kTestRest) return jitter;
  if (u < kTestRest + kTestRamp) return peak * (u - kTestRest) / kTestRamp + jitter;
  if (u < kTestRest + kTestRamp + kTestHold) return peak + jitter;
  return jitter;  // broken: the load is gone at once
}

float InstrumentModel::sourceValue(std::uint8_t source, const protocol::MeasurementSample& s) const {
  switch (source) {
    case 0: return s.tensValue;
    case 1: return s.counterValue;
    default: return s.analogValue;
  }
}

void InstrumentModel::updateRelay(std::uint8_t& relay, std::uint8_t sourceCode, std::uint8_t onCode,
                                  std::uint8_t offCode, const protocol::MeasurementSample& s) {
  const float value = sourceValue(storedIndex(sourceCode), s);
  if (value >= storedFloat(onCode))
    relay = 1;
  else if (value <= storedFloat(offCode))
    relay = 0;
}

protocol::MeasurementSample InstrumentModel::measure() {
  const double t = seconds_();
  const InstrumentTime now = clock_();
  protocol::MeasurementSample s;
  s.year = now.year;
  s.month = now.month;
  s.day = now.day;
  s.hour = now.hour;
  s.minute = now.minute;
  s.second = now.second;
  s.tensValue = static_cast<float>((rawLoad(t) - tare_) * storedFloat(kTensCoef) + storedFloat(kTensOffset));
  s.counterValue = static_cast<float>(std::floor(t * 25) * storedFloat(kEncCoef) + storedFloat(kEncOffset));
  s.analogValue = static_cast<float>((5 + 4.5 * std::sin(2 * std::numbers::pi * t / 13)) * storedFloat(kAdcCoef) +
                                     storedFloat(kAdcOffset));
  if (!minMaxValid_) {
    min_ = max_ = s.tensValue;
    minMaxValid_ = true;
  }
  min_ = std::min(min_, s.tensValue);
  max_ = std::max(max_, s.tensValue);
  s.minValue = min_;
  s.maxValue = max_;
  updateRelay(relay1_, kPk1Source, kPk1On, kPk1Off, s);
  updateRelay(relay2_, kPk2Source, kPk2On, kPk2Off, s);
  s.relay1 = relay1_;
  s.relay2 = relay2_;
  return s;
}

}  // namespace vestrix::sim
