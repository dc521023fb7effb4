#include "capture/results_file.h"

#include "capture/process_capability.h"
#include "clock/local_clock.h"
#include "protocol/format_fixed.h"
#include "record/record_line.h"

#include <QDateTime>

namespace vestrix::capture {

namespace {

QByteArray Fixed(double value, int decimals, QChar separator) {
  return protocol::FormatFixed(value, 15, decimals, separator).toUtf8();
}

// A heading of a value, with its unit when known.
QByteArray Heading(const char* name, const QString& unit) {
  return unit.isEmpty() ? QByteArray(name) : QByteArray(name) + " [" + unit.toUtf8() + ']';
}

}  // namespace

const char* EndText(EndReason reason) {
  switch (reason) {
    case EndReason::EndLevel: return "end level";
    case EndReason::Break: return "break";
    case EndReason::Longest: return "longest";
    case EndReason::Interrupted: return "interrupted";
  }
  return "";
}

const char* VerdictText(Verdict verdict) {
  switch (verdict) {
    case Verdict::Pass: return "PASS";
    case Verdict::Fail: return "FAIL";
    case Verdict::None: return "";
  }
  return "";
}

QByteArray RulesText(const CaptureSettings& r, QChar s, const QString& unit) {
  QByteArray text = "Direction;" + Heading("Start level", unit) + ';' + Heading("End level", unit) +
                    ";Break [%];Longest [s];Before [s];After [s];" + Heading("Lower limit", unit) + ';' +
                    Heading("Upper limit", unit) + ";Unit;\r\n";
  text += QByteArray(r.direction == Direction::Compression ? "compression" : "tension") + ';';
  text += Fixed(r.startLevel, 4, s) + ';' + Fixed(r.endLevel, 4, s) + ';' + Fixed(r.breakPercent, 2, s) + ';';
  text += Fixed(r.longestSeconds, 3, s) + ';' + Fixed(r.preSeconds, 3, s) + ';' + Fixed(r.postSeconds, 3, s) + ';';
  text += (r.lowerLimit ? Fixed(*r.lowerLimit, 4, s) : QByteArray()) + ';';
  text += (r.upperLimit ? Fixed(*r.upperLimit, 4, s) : QByteArray()) + ';';
  return text + unit.toUtf8() + ";\r\n";
}

QByteArray IsoText(std::int64_t wallMs) {
  // The PC's zone at that moment, as an offset: the same instant anywhere.
  const QDateTime local = QDateTime::fromMSecsSinceEpoch(wallMs);
  return local.toOffsetFromUtc(local.offsetFromUtc()).toString(Qt::ISODateWithMs).toUtf8();
}

QByteArray ResultsHeader(const QString& unit) {
  return "No.;Date;Time;Start (ISO 8601);Duration [s];" + Heading("Peak", unit) + ";Peak at [s];" +
         Heading("Lowest", unit) + ';' + Heading("Mean", unit) + ';' + Heading("Std. dev.", unit) +
         ";Samples;Skipped;End;Break drop [%];Verdict;\r\n";
}

QByteArray TestLine(const CapturedTest& t, ClockBase clock, QChar s) {
  const clock::ClockReading start = clock::LocalClockAt(t.startMs + clock.wallOffsetMs);
  QByteArray text = QByteArray::number(t.number) + ';';
  text += (clock.elapsed ? QByteArray() : record::DateText(start)) + ';';
  text += (clock.elapsed ? QByteArray() : record::TimeText(start)) + ';';
  text += (clock.elapsed ? QByteArray() : IsoText(t.startMs + clock.wallOffsetMs)) + ';';
  text += Fixed(t.durationSeconds(), 3, s) + ';' + Fixed(t.peak, 4, s) + ';';
  text += Fixed((t.peakMs - t.startMs) / 1000.0, 3, s) + ';' + Fixed(t.lowest, 4, s) + ';';
  text += Fixed(t.mean, 4, s) + ';' + Fixed(t.deviation, 4, s) + ';';
  text += QByteArray::number(static_cast<qulonglong>(t.samples)) + ';';
  text += QByteArray::number(static_cast<qulonglong>(t.skipped)) + ';';
  text += QByteArray(EndText(t.end)) + ';';
  text += (t.end == EndReason::Break ? Fixed(t.breakDropPercent, 2, s) : QByteArray()) + ';';
  text += QByteArray(VerdictText(t.verdict)) + ";\r\n";
  return text;
}

QByteArray BatchText(const Batch& batch, QChar s, const QString& unit) {
  QByteArray text = "Tests;Passed;Failed;Interrupted;";
  for (const char* heading : {"Mean peak", "Std. dev. of peaks", "Lowest peak", "Highest peak"}) {
    text += Heading(heading, unit) + ';';
  }
  text += "Cp;Cpk;\r\n";
  const bool any = batch.peaks.count() > 0;
  text += QByteArray::number(batch.tests) + ';' + QByteArray::number(batch.passed) + ';' +
          QByteArray::number(batch.failed) + ';' + QByteArray::number(batch.interrupted) + ';';
  text += (any ? Fixed(batch.peaks.mean(), 4, s) : QByteArray()) + ';';
  text += (any ? Fixed(batch.peaks.deviation(), 4, s) : QByteArray()) + ';';
  text += (any ? Fixed(batch.peaks.least(), 4, s) : QByteArray()) + ';';
  text += (any ? Fixed(batch.peaks.greatest(), 4, s) : QByteArray()) + ';';
  const Capability capability = ProcessCapability(batch);
  text += (capability.shown() ? Fixed(capability.cp, 3, s) : QByteArray()) + ';';
  text += (capability.shown() ? Fixed(capability.cpk, 3, s) : QByteArray()) + ";\r\n";
  return text;
}

QByteArray ResultsText(const std::vector<CapturedTest>& tests, const Batch& batch, const CaptureSettings& rules,
                       ClockBase clock, QChar s, const QString& unit) {
  QByteArray text = RulesText(rules, s, unit) + ResultsHeader(unit);
  for (const CapturedTest& t : tests) text += TestLine(t, clock, s);
  return text + BatchText(batch, s, unit);
}

}  // namespace vestrix::capture
