#include "record/record_line.h"

#include "record/record_file.h"

#include <gtest/gtest.h>

namespace vestrix::record {
namespace {

const ClockReading kClock{2015, 1, 9, 14, 5, 9, 37};

protocol::MeasurementSample Sample() {
  protocol::MeasurementSample s;
  s.tensValue = 123456789.0f;
  s.counterValue = 1234.5f;
  s.analogValue = -0.125f;
  s.relay1 = 1;
  s.relay2 = 0;
  return s;
}

constexpr ColumnChoice kDefault = {true, true, true, false, true, false, false, false};
constexpr ColumnChoice kAll = {true, true, true, true, true, true, true, true};
constexpr ColumnChoice kNone = {};

struct LineCase {
  const char* name;
  ColumnChoice columns;
  char separator;
  int number;
  QByteArray header;
  QByteArray record;
};

void PrintTo(const LineCase& c, std::ostream* os) { *os << c.name; }

class Lines : public ::testing::TestWithParam<LineCase> {};

TEST_P(Lines, AreExactBytes) {
  const LineCase& c = GetParam();
  EXPECT_EQ(RecordHeader(c.columns), c.header);
  EXPECT_EQ(RecordFields(Sample(), c.columns, kClock, c.number, QLatin1Char(c.separator)), c.record);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Lines,
    ::testing::Values(LineCase{"defaults", kDefault, '.', 0, "Date;Time;No.;Enkoder;\r\n",
                               "9-1-2015;14:5:9:37;0;1234.50;\r\n"},
                      LineCase{"all", kAll, '.', 17, "Date;Time;No.;Tensometr;Enkoder;0-10V;OUT1;OUT2;\r\n",
                               "9-1-2015;14:5:9:37;17;1.2345679E08;1234.50;-0.13;1;0;\r\n"},
                      LineCase{"none", kNone, '.', 3, "\r\n", "\r\n"},
                      LineCase{"comma", kAll, ',', 2, "Date;Time;No.;Tensometr;Enkoder;0-10V;OUT1;OUT2;\r\n",
                               "9-1-2015;14:5:9:37;2;1,2345679E08;1234,50;-0,13;1;0;\r\n"},
                      LineCase{"relays_only",
                               {false, false, false, false, false, false, true, true},
                               '.',
                               0,
                               "OUT1;OUT2;\r\n",
                               "1;0;\r\n"}));

TEST(CsvExtension, IsAddedUnlessItIsExactlyCsv) {
  EXPECT_EQ(WithCsvExtension("log"), "log.csv");
  EXPECT_EQ(WithCsvExtension("log.txt"), "log.txt.csv");
  EXPECT_EQ(WithCsvExtension("DATA.CSV"), "DATA.CSV.csv");
  EXPECT_EQ(WithCsvExtension("report.csv"), "report.csv");
  EXPECT_EQ(WithCsvExtension("/home/u/run.2026/data"), "/home/u/run.2026/data.csv");
  EXPECT_EQ(WithCsvExtension("C:\\runs.old\\data"), "C:\\runs.old\\data.csv");
  EXPECT_EQ(WithCsvExtension("/home/u/run.2026/data.csv"), "/home/u/run.2026/data.csv");
}

}  // namespace
}  // namespace vestrix::record
