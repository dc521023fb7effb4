#pragma once

#include "capture/force_test_capture.h"

#include <QByteArray>
#include <QChar>
#include <QString>

#include <cstdint>
#include <vector>

namespace vestrix::capture {

// How the tests' times read as the PC's clock.
struct ClockBase {
  std::int64_t wallOffsetMs = 0;  // added to a test's time gives the clock
  bool elapsed = false;           // the times count from a start: no date and time
};

// The end of a test in words, as the results file and the table give it.
const char* EndText(EndReason reason);
// "PASS", "FAIL" or nothing.
const char* VerdictText(Verdict verdict);

// The results as a semicolon-separated file, lines as the record file
// has them (every field followed by ";", CR LF), in blocks of a header
// line and its lines: the rules in effect (direction, levels, break,
// times, limits, unit), a line a test (its start as the PC's date and
// time, and in ISO 8601 with the zone's offset), then the batch (Cp and
// Cpk empty where they are not shown). Numbers in the user's decimal
// separator. The unit of the values, when known, follows their headings
// ("Peak [N]").
QByteArray ResultsText(const std::vector<CapturedTest>& tests, const Batch& batch, const CaptureSettings& rules,
                       ClockBase clock, QChar decimalSeparator, const QString& unit = {});
// Its parts, for a program that prints each test as it ends: the rules,
// the header, a test's line, and the batch's header and line.
QByteArray RulesText(const CaptureSettings& rules, QChar decimalSeparator, const QString& unit = {});
QByteArray ResultsHeader(const QString& unit = {});
// A moment of the PC's clock in ISO 8601 with the zone's offset then
// ("2026-12-10T09:00:02.015+01:00").
QByteArray IsoText(std::int64_t wallMs);
QByteArray TestLine(const CapturedTest& test, ClockBase clock, QChar decimalSeparator);
QByteArray BatchText(const Batch& batch, QChar decimalSeparator, const QString& unit = {});

}  // namespace vestrix::capture
