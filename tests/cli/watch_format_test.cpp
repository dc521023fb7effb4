#include "cli/watch_format.h"

#include "support/samples.h"

#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

#include <limits>

namespace vestrix::cli {
namespace {

const record::ClockReading kClock{2026, 12, 10, 8, 30, 5, 7};

TEST(WatchFormat, TextIsTheDisplayPagesTexts) {
  EXPECT_EQ(TextLine(testing::ScriptedSample(), QLatin1Char(',')),
            "9-1-2015 14:5:9  tens 12,5000  enc 0,0000  adc 1234,5679  min -7,1250  max 99999,0000  out1 HIGH  "
            "out2 LOW");
}

TEST(WatchFormat, JsonCarriesTheValuesExactlyAndNullForWhatIsNotANumber) {
  protocol::MeasurementSample s = testing::ScriptedSample();
  s.minValue = std::numeric_limits<float>::quiet_NaN();
  s.maxValue = -std::numeric_limits<float>::infinity();
  const std::string line = JsonLine(s, kClock, 1796900000123);
  QJsonParseError error{};
  const QJsonObject o = QJsonDocument::fromJson(QByteArray::fromStdString(line), &error).object();
  ASSERT_EQ(error.error, QJsonParseError::NoError) << line;
  EXPECT_EQ(o["time"].toString(), "2026-12-10T08:30:05.007");
  EXPECT_EQ(o["unix_ms"].toInteger(), 1796900000123);
  EXPECT_EQ(o["device_time"].toString(), "2015-01-09T14:05:09");
  EXPECT_EQ(static_cast<float>(o["tens"].toDouble()), 12.5f);
  EXPECT_EQ(static_cast<float>(o["adc"].toDouble()), 1234.56789f);  // the float as sent, not rounded to 4 places
  EXPECT_EQ(static_cast<float>(o["enc"].toDouble()), -0.00004f);
  EXPECT_TRUE(o["min"].isNull());
  EXPECT_TRUE(o["max"].isNull());
  EXPECT_EQ(o["out1"].toInt(), 1);
  EXPECT_EQ(o["out2"].toInt(), 0);
}

TEST(WatchFormat, InfluxIsOnePointWithTagFieldsAndNanoseconds) {
  protocol::MeasurementSample s = testing::ScriptedSample();
  s.maxValue = std::numeric_limits<float>::infinity();
  EXPECT_EQ(InfluxLine(s, "/dev/hidraw3", 1796900000123000000),
            "vestrix,device=/dev/hidraw3 tens=12.5,enc=-4e-05,adc=1234.5679,min=-7.125,out1=1i,out2=0i "
            "1796900000123000000");
  EXPECT_EQ(InfluxLine(s, "", 1).substr(0, 13), "vestrix tens=");
  EXPECT_EQ(EscapeInfluxTag("a b,c=d\ne"), "a\\ b\\,c\\=d_e");
}

TEST(WatchFormat, NamesOfTheFormats) {
  EXPECT_EQ(ParseWatchFormat("text"), WatchFormat::Text);
  EXPECT_EQ(ParseWatchFormat("json"), WatchFormat::Json);
  EXPECT_EQ(ParseWatchFormat("csv"), WatchFormat::Csv);
  EXPECT_EQ(ParseWatchFormat("influx"), WatchFormat::Influx);
  EXPECT_FALSE(ParseWatchFormat("JSON"));
}

}  // namespace
}  // namespace vestrix::cli
