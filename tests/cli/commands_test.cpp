// Every command on the simulated bus, in this process: what it prints,
// what it sends, and how it ends.
#include "cli/command_context.h"
#include "console_fixture.h"
#include "protocol/codecs.h"

#include <QJsonDocument>
#include <QJsonObject>

#include <chrono>
#include <fstream>

namespace vestrix::cli {
namespace {

using std::chrono::steady_clock;

float Stored(ConsoleRunner& r, const char* name) {
  const std::uint8_t code = protocol::FindParameterByName(name)->readCode;
  return r.instrument->withModel([code](sim::InstrumentModel& m) { return m.storedFloat(code); });
}
std::vector<std::uint8_t> StoredBytes(ConsoleRunner& r, const char* name) {
  const std::uint8_t code = protocol::FindParameterByName(name)->readCode;
  return r.instrument->withModel([code](sim::InstrumentModel& m) { return m.storedValue(code); });
}

// Answers reads, forgets writes.
class ForgetfulInstrument : public hid::sim::SimDeviceBehaviour {
 public:
  explicit ForgetfulInstrument(std::shared_ptr<sim::VestrixInstrument> inner) : inner_(std::move(inner)) {}
  void onOutputReport(const hid::sim::Report& report, hid::sim::SimDevice& device) override {
    for (const protocol::Parameter& p : protocol::Parameters()) {
      if (report.size() > 1 && report[1] == p.writeCode()) return;
    }
    inner_->onOutputReport(report, device);
  }

 private:
  std::shared_ptr<sim::VestrixInstrument> inner_;
};

class Commands : public ConsoleFixture {};

TEST_F(Commands, ListMarksTheInstrumentWithItsNodeAndAccess) {
  specs.front().path = "sim:hidraw1";
  hid::sim::SimDeviceSpec mouse;
  mouse.path = "sim:hidraw0";
  mouse.productString = u"Optical Mouse";
  specs.insert(specs.begin(), mouse);
  const ConsoleRun r = run({"list"});
  EXPECT_EQ(r.code, 0) << r.err;
  EXPECT_EQ(Lines(r.out), (std::vector<std::string>{"  sim:hidraw0  read/write  Optical Mouse",
                                                    "* sim:hidraw1  read/write  VESTRIX"}));
}

TEST_F(Commands, ListSaysWhenThereIsNoInstrumentOrNoAccess) {
  specs.front().readWrite = false;
  ConsoleRun r = run({"list"});
  EXPECT_EQ(r.code, 4);
  EXPECT_NE(r.out.find("no access  VESTRIX"), std::string::npos) << r.out;
  EXPECT_NE(r.err.find(AccessAdvice()), std::string::npos) << r.err;  // the udev rule, on Linux
  specs.clear();
  r = run({"list"});
  EXPECT_EQ(r.code, 3);
  EXPECT_EQ(r.err, "vestrix-cli: no HID devices\nvestrix-cli: no VESTRIX instrument\n");
}

// What needs the instrument ends with 3 without one, and 4 without access.
TEST_F(Commands, EveryCommandEndsWithoutTheInstrumentOrAccessAlike) {
  const std::vector<std::vector<std::string>> commands = {
      {"get", "all"}, {"set", "TensCoef", "2"}, {"watch", "--once"},      {"record", path("r.csv"), "--count", "1"},
      {"tare"},       {"reset-minmax"},         {"tests", "--count", "1"}};
  const hid::sim::SimDeviceSpec instrumentSpec = specs.front();
  for (const auto& command : commands) {
    specs = {};
    ConsoleRun r = run(command);
    EXPECT_EQ(r.code, 3) << command.front() << ": " << r.err;
    EXPECT_NE(r.err.find("no VESTRIX instrument"), std::string::npos) << r.err;
    specs = {instrumentSpec};
    specs.front().readWrite = false;
    r = run(command);
    EXPECT_EQ(r.code, 4) << command.front() << ": " << r.err;
    EXPECT_NE(r.err.find("no read/write access to sim:"), std::string::npos) << r.err;
    EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
  }
  EXPECT_FALSE(QFileInfo::exists(QString::fromStdString(path("r.csv"))));
}

// An instrument that never answers: exit 5 after the second the program
// gives it, not a wait without end.
TEST_F(Commands, AReplyThatNeverComesEndsWith5) {
  makeSilent();
  const std::vector<std::vector<std::string>> commands = {{"get", "TensCoef"},
                                                          {"set", "TensCoef", "2"},
                                                          {"set", "--from", path("none.json")},
                                                          {"watch", "--once"},
                                                          {"record", path("r.csv")},
                                                          {"tare"},
                                                          {"calibrate"},
                                                          {"tests"}};
  for (const auto& command : commands) {
    if (command.size() == 3 && command[1] == "--from") continue;  // an unreadable file is refused first
    const auto start = steady_clock::now();
    const ConsoleRun r = run(command);
    const auto took = steady_clock::now() - start;
    EXPECT_EQ(r.code, 5) << command.front() << ": " << r.err;
    EXPECT_NE(r.err.find("within one second"), std::string::npos) << r.err;
    // About a second; the bound only tells "ended" from "hangs".
    EXPECT_LT(took, std::chrono::seconds(8)) << command.front();
  }
}

TEST_F(Commands, GetReadsByNameWithoutRegardToCase) {
  ConsoleRun r = run({"get", "tenscoef"});
  EXPECT_EQ(r.code, 0) << r.err;
  EXPECT_EQ(r.out, "1\n");
  r = run({"get", "TENSUNIT", "--json"});
  EXPECT_EQ(r.out, "{\"name\":\"TensUnit\",\"text\":\"N\",\"value\":2}\n");
  r = run({"get", "all"});
  EXPECT_EQ(r.code, 0);
  const std::vector<std::string> lines = Lines(r.out);
  ASSERT_EQ(lines.size(), protocol::Parameters().size());
  EXPECT_EQ(lines.front(), "ModbusAdr       1");
  EXPECT_EQ(lines.back(), "ModbusBr        9600");
}

TEST_F(Commands, SetSendsClampsAsThePageAndReadsBack) {
  ConsoleRun r = run({"set", "TensRange", "2000000"});
  EXPECT_EQ(r.code, 0) << r.err;
  EXPECT_EQ(r.out, "sent TensRange 999999 (clamped from 2000000)\nreads back 999999\n");
  EXPECT_EQ(protocol::MessageView(StoredBytes(*this, "TensRange").data(), 4).uint32(0), 999999u);
  r = run({"set", "TensCoef", "-2.5"});
  EXPECT_EQ(r.out, "sent TensCoef -2.5\nreads back -2.5\n");
  EXPECT_EQ(Stored(*this, "TensCoef"), -2.5f);
  r = run({"set", "TensUnit", "kg"});
  EXPECT_EQ(r.out, "sent TensUnit Kg\nreads back Kg\n");
  r = run({"set", "ModbusAdr", "17"});
  EXPECT_EQ(r.out, "sent ModbusAdr 17\nreads back 17\n");
  EXPECT_EQ(StoredBytes(*this, "ModbusAdr"), std::vector<std::uint8_t>{17});
}

TEST_F(Commands, AnInvalidValueOrNameSendsNothing) {
  const std::vector<std::vector<std::string>> commands = {
      {"set", "TensCoef", "abc"}, {"set", "TensCoef", "1,5"},
      {"set", "TensRange", "-5"}, {"set", "TensUnit", "stone"},
      {"set", "Warp", "1"},       {"get", "Warp"},
      {"set", "TensCoef"},        {"set", "--dry-run", "TensCoef", "1"}};
  for (const auto& command : commands) {
    const ConsoleRun r = run(command);
    EXPECT_EQ(r.code, 2) << command[1];
    EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
    EXPECT_TRUE(r.out.empty());
  }
  EXPECT_EQ(platformsMade, 0);  // not even looked for
  EXPECT_NE(run({"get", "Warp"}).err.find("the parameters: ModbusAdr, SdRecording"), std::string::npos);
}

TEST_F(Commands, AValueReadBackOtherThanSentEndsWith1) {
  specs.front().behaviour = std::make_shared<ForgetfulInstrument>(instrument);
  const ConsoleRun r = run({"set", "TensCoef", "3"});
  EXPECT_EQ(r.code, 1);
  EXPECT_EQ(r.out, "sent TensCoef 3\nreads back 1\n");
  EXPECT_EQ(r.err, "vestrix-cli: TensCoef reads back 1, not 3\n");
}

TEST_F(Commands, ABackupRestoresOnlyWhatDiffers) {
  ConsoleRun r = run({"get", "all", "--json"});
  ASSERT_EQ(r.code, 0) << r.err;
  const QJsonObject backup = QJsonDocument::fromJson(QByteArray::fromStdString(r.out)).object();
  EXPECT_EQ(backup["format"].toString(), "vestrix-configuration");
  EXPECT_EQ(backup["device"].toString().left(4), "sim:");
  std::ofstream(path("instrument.json")) << r.out;
  ASSERT_EQ(run({"set", "TensCoef", "3"}).code, 0);
  ASSERT_EQ(run({"set", "TensUnit", "Pound"}).code, 0);

  r = run({"set", "--from", path("instrument.json"), "--dry-run"});
  EXPECT_EQ(r.code, 0) << r.err;
  EXPECT_EQ(r.out,
            "TensCoef: 3 -> 1 (not sent: a dry run)\nTensUnit: Pound -> N (not sent: a dry run)\n"
            "2 values would change\n");
  EXPECT_EQ(writesSent(), 0);
  EXPECT_EQ(Stored(*this, "TensCoef"), 3.0f);

  r = run({"set", "--from", path("instrument.json")});
  EXPECT_EQ(r.code, 0) << r.err;
  EXPECT_EQ(r.out, "TensCoef: 3 -> 1\nTensUnit: Pound -> N\n2 values changed, each read back\n");
  EXPECT_EQ(writesSent(), 2);
  EXPECT_EQ(Stored(*this, "TensCoef"), 1.0f);
  EXPECT_EQ(StoredBytes(*this, "TensUnit"), std::vector<std::uint8_t>{2});

  r = run({"set", "--from", path("instrument.json")});
  EXPECT_EQ(r.out, "the instrument holds the backup's values: nothing to change\n");
  EXPECT_EQ(writesSent(), 0);
}

TEST_F(Commands, ABrokenBackupSendsNothing) {
  ConsoleRun r = run({"get", "all", "--json"});
  const std::string good = r.out;
  std::string newer = good;
  newer.replace(newer.find("\"version\": 1"), 12, "\"version\": 7");
  std::string outOfRange = good;
  outOfRange.replace(outOfRange.find("\"value\": 1000"), 13, "\"value\": 1000000");
  const std::vector<std::pair<std::string, std::string>> files = {
      {good.substr(0, good.size() / 2), "not a complete JSON"},
      {"{]", "not a complete JSON"},
      {newer, "newer program"},
      {outOfRange, "TensRange"}};
  platformsMade = 0;
  for (const auto& [text, says] : files) {
    std::ofstream(path("broken.json"), std::ios::trunc) << text;
    r = run({"set", "--from", path("broken.json")});
    EXPECT_EQ(r.code, 2) << says;
    EXPECT_NE(r.err.find(says), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("nothing was sent"), std::string::npos) << r.err;
  }
  r = run({"set", "--from", dir.path().toStdString()});
  EXPECT_EQ(r.code, 2) << r.err;
  EXPECT_EQ(platformsMade, 0);
}

TEST_F(Commands, ActionsAreAcknowledged) {
  const std::vector<std::pair<std::string, std::uint8_t>> actions = {{"tare", protocol::kTaring},
                                                                     {"calibrate", protocol::kInputCalibration},
                                                                     {"reset-minmax", protocol::kResetMinMax}};
  for (const auto& [name, code] : actions) {
    const ConsoleRun r = run({name});
    EXPECT_EQ(r.code, 0) << name << ": " << r.err;
    bool sent = false;
    for (const hid::sim::Report& report : plugged.front()->outputReports()) sent = sent || report[1] == code;
    EXPECT_TRUE(sent) << name;
  }
}

TEST_F(Commands, WatchPrintsEachFormatOneLineAMeasurement) {
  makeScripted();
  specs.front().path = "sim:hidraw4";
  ConsoleRun r = run({"watch", "--once"});
  EXPECT_EQ(r.code, 0) << r.err;
  EXPECT_EQ(
      r.out,
      "10-12-2026 9:15:0  tens 12.5000 N  enc 0.0000  adc 10.0000  min 12.5000  max 12.5000  out1 LOW  out2 HIGH\n");
  makeScripted();  // from the first measurement again
  r = run({"watch", "--count", "3", "--format", "csv"});
  EXPECT_EQ(r.out,
            "Date;Time;No.;Enkoder;\n10-12-2026;8:30:5:7;0;0.00;\n10-12-2026;8:30:5:7;1;3.00;\n"
            "10-12-2026;8:30:5:7;2;6.00;\n");
  r = run({"watch", "--count", "2", "--format", "json"});
  for (const std::string& line : Lines(r.out)) {
    EXPECT_TRUE(QJsonDocument::fromJson(QByteArray::fromStdString(line)).isObject()) << line;
  }
  EXPECT_EQ(Lines(r.out).size(), 2u);
  makeScripted();
  r = run({"watch", "--count", "2", "--format", "influx"});
  const std::vector<std::string> points = Lines(r.out);
  ASSERT_EQ(points.size(), 2u);
  EXPECT_EQ(
      points[0].rfind("vestrix,device=sim:hidraw4,unit=N tens=12.5,enc=0,adc=10,min=12.5,max=12.5,out1=0i,out2=1i ", 0),
      0u)
      << points[0];
  EXPECT_EQ(run({"watch", "--format", "xml"}).code, 2);
  EXPECT_EQ(run({"watch", "--count", "0"}).code, 2);
}

TEST_F(Commands, RecordWritesTheWindowsFileAndAppends) {
  makeScripted();
  ConsoleRun r = run({"record", path("r.csv"), "--count", "3", "--columns", "date,time,no,tens"});
  EXPECT_EQ(r.code, 0) << r.err;
  EXPECT_TRUE(r.err.empty()) << r.err;  // no progress line when standard error is no terminal
  const std::string first =
      "Date;Time;No.;Tensometr;\r\n10-12-2026;8:30:5:7;0;12.50;\r\n10-12-2026;8:30:5:7;1;12.75;\r\n"
      "10-12-2026;8:30:5:7;2;13.00;\r\n";
  EXPECT_EQ(file("r.csv"), first);
  separator = QLatin1Char(',');
  r = run({"record", path("r.csv"), "--count", "2", "--columns", "tens,no"});
  EXPECT_EQ(file("r.csv"), first + "No.;Tensometr;\r\n0;13,25;\r\n1;13,50;\r\n");
}

TEST_F(Commands, RecordToStandardOutputEveryNthMeasurement) {
  makeScripted();
  const ConsoleRun r = run({"record", "-", "--count", "2", "--every", "3", "--columns", "no,enc"});
  EXPECT_EQ(r.code, 0) << r.err;
  EXPECT_EQ(file("stdout"), "No.;Enkoder;\r\n0;6.00;\r\n1;15.00;\r\n");
}

TEST_F(Commands, RecordRefusesWhatItCannotDo) {
  const std::vector<std::vector<std::string>> commands = {{"record", path("r.csv"), "--columns", "date,colour"},
                                                          {"record", path("r.csv"), "--columns", "date,date"},
                                                          {"record", path("r.csv"), "--columns", ""},
                                                          {"record", path("r.csv"), "--every", "0"},
                                                          {"record", path("r.csv"), "--duration", "-1"},
                                                          {"record", path("r.csv"), "--duration", "soon"}};
  for (const auto& command : commands) EXPECT_EQ(run(command).code, 2) << command[2] << " " << command[3];
  EXPECT_EQ(platformsMade, 0);
  const ConsoleRun r = run({"record", dir.path().toStdString(), "--count", "1"});
  EXPECT_EQ(r.code, 2);
  EXPECT_NE(r.err.find("cannot write " + dir.path().toStdString()), std::string::npos) << r.err;
}

TEST_F(Commands, RecordForAGivenTime) {
  const ConsoleRun r = run({"record", path("r.csv"), "--duration", "0.3"});
  EXPECT_EQ(r.code, 0) << r.err;
  EXPECT_GE(Lines(file("r.csv")).size(), 2u);
}

TEST_F(Commands, DevicePicksOneOfSeveralInstruments) {
  specs.front().path = "sim:hidraw1";
  const std::shared_ptr<sim::VestrixInstrument> second = addInstrument("sim:hidraw2");
  ConsoleRun r = run({"--device", "sim:hidraw2", "set", "TensCoef", "4"});
  EXPECT_EQ(r.code, 0) << r.err;
  EXPECT_EQ(second->withModel([](sim::InstrumentModel& m) { return m.storedFloat(34); }), 4.0f);
  EXPECT_EQ(Stored(*this, "TensCoef"), 1.0f);
  r = run({"list", "--device", "sim:hidraw1"});
  EXPECT_EQ(Lines(r.out),
            (std::vector<std::string>{"* sim:hidraw1  read/write  VESTRIX", "  sim:hidraw2  read/write  VESTRIX"}));
  r = run({"get", "TensCoef", "--device", "sim:hidraw9"});
  EXPECT_EQ(r.code, 3);
  EXPECT_EQ(r.err, "vestrix-cli: no VESTRIX instrument at sim:hidraw9 (see 'vestrix-cli list')\n");
}

class TestsCommand : public Commands {
 protected:
  // The pull tests without noise, their time going on by 50 ms a
  // measurement whatever the machine's pace: each peak is measured.
  void fastTests() {
    model([](sim::InstrumentModel& m) {
      m.setSignal(sim::Signal::Tests);
      m.setNoise(0);
      m.setSignalTime([n = 0]() mutable { return 0.05 * n++; });
      return 0;
    });
  }
};

TEST_F(TestsCommand, JudgesEachPeakAndTheBatch) {
  fastTests();
  const ConsoleRun r = run({"tests", "--count", "3", "--lower", "600", "--upper", "700"});
  EXPECT_EQ(r.code, 1) << r.err;  // the third peak, 590, is below the limits
  const std::vector<std::string> lines = Lines(r.out);
  ASSERT_EQ(lines.size(), 6u) << r.out;
  // The simulated instrument measures in newtons.
  EXPECT_EQ(
      lines[0].rfind(
          "No.;Date;Time;Start (ISO 8601);Duration [s];Peak [N];Peak at [s];Lowest [N];Mean [N];Std. dev. [N];", 0),
      0u)
      << lines[0];
  const std::vector<std::pair<std::string, std::string>> tests = {{"612.", "PASS"}, {"655.", "PASS"}, {"590.", "FAIL"}};
  for (std::size_t i = 0; i < tests.size(); ++i) {
    EXPECT_NE(lines[i + 1].find(";" + tests[i].first), std::string::npos) << lines[i + 1];
    EXPECT_EQ(lines[i + 1].substr(lines[i + 1].size() - tests[i].second.size() - 1), tests[i].second + ";");
  }
  EXPECT_EQ(
      lines[4],
      "Tests;Passed;Failed;Interrupted;Mean peak [N];Std. dev. of peaks [N];Lowest peak [N];Highest peak [N];Cp;Cpk;");
  EXPECT_EQ(lines[5].rfind("3;2;1;0;", 0), 0u) << lines[5];
}

// A test under way when the run ends is shown as interrupted, not judged:
// the run ends well whatever its peak so far.
TEST_F(TestsCommand, AnInterruptedTestIsNotJudged) {
  model([](sim::InstrumentModel& m) {
    m.setSignal(sim::Signal::Tests);
    m.setNoise(0);
    // At rest once, then stuck in the middle of the first ramp (about 211).
    m.setSignalTime([n = 0]() mutable { return n++ == 0 ? 0.0 : 3.0; });
    return 0;
  });
  const ConsoleRun r = run({"tests", "--duration", "0.3", "--upper", "100"});
  EXPECT_EQ(r.code, 0) << r.err;
  const std::vector<std::string> lines = Lines(r.out);
  ASSERT_EQ(lines.size(), 4u) << r.out;
  EXPECT_EQ(lines[1].substr(lines[1].size() - std::string(";interrupted;;;").size()), ";interrupted;;;") << lines[1];
  EXPECT_EQ(lines[3], "1;0;0;1;;;;;;;");
}

TEST_F(TestsCommand, TakesTheRulesOfTheWindowsSettingsFile) {
  fastTests();
  std::ofstream(path("config.ini")) << "[Options]\r\nCaptureLower=600\r\nCaptureUpper=700\r\nCaptureStart=20\r\n";
  ConsoleRun r = run({"tests", "--count", "1"});
  EXPECT_EQ(r.code, 0) << r.err;
  EXPECT_NE(Lines(r.out).at(1).find("PASS"), std::string::npos) << r.out;
  // An option overrides its key.
  r = run({"tests", "--count", "1", "--upper", "610"});
  EXPECT_EQ(r.code, 1) << r.err;
}

// A push rig's tests: the window's direction from its settings file, or
// the option, with the levels and limits below zero.
TEST_F(TestsCommand, CompressionFromTheSettingsFileOrTheOption) {
  fastTests();
  std::ofstream(path("config.ini")) << "[Options]\r\nCaptureDirection=1\r\nCaptureStart=-10\r\nCaptureEnd=-5\r\n";
  // The demo pulls: no push among its tests.
  ConsoleRun r = run({"tests", "--duration", "1"});
  EXPECT_EQ(r.code, 0) << r.err;
  EXPECT_EQ(Lines(r.out).size(), 3u) << r.out;  // the header and the batch's two lines
  r = run({"tests", "--count", "1", "--direction", "tension", "--start", "10", "--end", "5"});
  EXPECT_EQ(r.code, 0) << r.err;
  EXPECT_EQ(Lines(r.out).size(), 4u) << r.out;
}

TEST_F(TestsCommand, RefusesInvalidRules) {
  EXPECT_EQ(run({"tests", "--break", "150"}).code, 2);
  EXPECT_EQ(run({"tests", "--lower", "700", "--upper", "600"}).code, 2);
  EXPECT_EQ(run({"tests", "--before", "-1"}).code, 2);
  EXPECT_EQ(run({"tests", "--longest", "1e16"}).code, 2);
  EXPECT_EQ(run({"tests", "--after", "3601"}).code, 2);
  EXPECT_EQ(run({"tests", "--start", "10", "--end", "20"}).code, 2);
  // Compression's levels the other way up; a direction that is neither.
  EXPECT_EQ(run({"tests", "--direction", "compression", "--start", "10", "--end", "5"}).code, 2);
  const ConsoleRun sideways = run({"tests", "--direction", "sideways"});
  EXPECT_EQ(sideways.code, 2);
  EXPECT_NE(sideways.err.find("--direction is 'tension' or 'compression'"), std::string::npos) << sideways.err;
  std::ofstream(path("config.ini")) << "[Options]\r\nCaptureStart=abc\r\n";
  const ConsoleRun r = run({"tests"});
  EXPECT_EQ(r.code, 2);
  EXPECT_NE(r.err.find("invalid rule for --start"), std::string::npos) << r.err;
  EXPECT_EQ(platformsMade, 0);
}

TEST_F(Commands, DemoUsesTheSimulatedInstrument) {
  const ConsoleRun r = run({"--demo", "get", "TensRange"});
  EXPECT_EQ(r.code, 0) << r.err;
  EXPECT_EQ(r.out, "1000\n");
  EXPECT_EQ(platformsMade, 0);
  EXPECT_EQ(run({"--demo", "--signal", "sine", "list"}).code, 2);
  EXPECT_EQ(run({"--signal", "tests", "list"}).code, 2);
}

}  // namespace
}  // namespace vestrix::cli
