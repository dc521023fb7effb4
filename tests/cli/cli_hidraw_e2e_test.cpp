// vestrix-cli as users run it, against the kernel's HID stack: the simulated
// instrument becomes a real hidraw device through /dev/uhid. Needs root and
// uhid: scripts/vm-test runs these with the other hidraw tests in a VM.
#include "console_fixture.h"
#include "protocol/codecs.h"
#include "protocol/parameter_table.h"
#include "simulated_instrument/linux/uhid_instrument.h"

#include "support/qt_pump.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace vestrix::cli {
namespace {

namespace fs = std::filesystem;

std::string Read(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

// The program run in a process of its own, its standard output to a file.
class Cli {
 public:
  Cli(std::vector<std::string> arguments, std::string outPath) : outPath_(std::move(outPath)) {
    arguments.insert(arguments.begin(), VESTRIX_CLI);
    const int fd = ::open(outPath_.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    const int errFd = ::open((outPath_ + ".err").c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    posix_spawn_file_actions_adddup2(&actions, fd, STDOUT_FILENO);
    posix_spawn_file_actions_adddup2(&actions, errFd, STDERR_FILENO);
    std::vector<char*> argv;
    for (std::string& argument : arguments) argv.push_back(argument.data());
    argv.push_back(nullptr);
    if (posix_spawn(&pid_, argv[0], &actions, nullptr, argv.data(), environ) != 0) pid_ = -1;
    posix_spawn_file_actions_destroy(&actions);
    ::close(fd);
    ::close(errFd);
  }
  pid_t pid() const { return pid_; }
  // The exit code, or -1.
  int wait() {
    int status = 0;
    if (pid_ <= 0 || ::waitpid(pid_, &status, 0) != pid_) return -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }
  std::string out() const { return Read(outPath_); }
  std::string err() const { return Read(outPath_ + ".err"); }

 private:
  std::string outPath_;
  pid_t pid_ = -1;
};

struct CliRun {
  int code;
  std::string out;
  std::string err;
};

class CliHidraw : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(fs::exists("/dev/uhid")) << "needs uhid (run through scripts/vm-test)";
    first = plug("VX-0001");
  }
  void TearDown() override {
    instruments.clear();
    // The nodes go with the devices: the next test starts from none.
    testing::PumpUntil([] { return !fs::exists("/sys/class/hidraw") || fs::is_empty("/sys/class/hidraw"); });
  }

  sim::UhidInstrument* plug(const std::string& serial) {
    instruments.push_back(std::make_unique<sim::UhidInstrument>(serial));
    std::string error;
    EXPECT_TRUE(instruments.back()->plug(&error)) << error;
    const std::size_t want = instruments.size();
    EXPECT_TRUE(testing::PumpUntil([&] { return nodes().size() == want; }, 10000));
    return instruments.back().get();
  }
  // The VESTRIX nodes as the program lists them.
  std::vector<std::string> nodes() {
    std::vector<std::string> found;
    for (const std::string& line : Lines(run({"list"}).out)) {
      if (line.size() > 2 && line.find("  VESTRIX") != std::string::npos &&
          line.find("read/write") != std::string::npos) {
        found.push_back(line.substr(2, line.find(' ', 2) - 2));
      }
    }
    return found;
  }
  CliRun run(const std::vector<std::string>& arguments) {
    Cli cli(arguments, dir + "/out");
    const int code = cli.wait();
    return {code, cli.out(), cli.err()};
  }
  float stored(sim::UhidInstrument* instrument, const char* name) {
    const std::uint8_t code = protocol::FindParameterByName(name)->readCode;
    return instrument->instrument().withModel([code](sim::InstrumentModel& m) { return m.storedFloat(code); });
  }

  const std::string dir = [] {
    char path[] = "/tmp/cli-hidrawXXXXXX";
    return std::string(::mkdtemp(path));
  }();
  std::vector<std::unique_ptr<sim::UhidInstrument>> instruments;
  sim::UhidInstrument* first = nullptr;
};

TEST_F(CliHidraw, ListsGetsSetsAndReadsBack) {
  CliRun r = run({"list"});
  EXPECT_EQ(r.code, 0) << r.out;
  const std::vector<std::string> found = nodes();
  ASSERT_EQ(found.size(), 1u) << r.out;
  EXPECT_NE(r.out.find("* " + found.front() + "  read/write  VESTRIX"), std::string::npos) << r.out;

  r = run({"get", "all"});
  EXPECT_EQ(r.code, 0);
  EXPECT_EQ(Lines(r.out).size(), protocol::Parameters().size()) << r.out;
  r = run({"set", "TensCoef", "2.5"});
  EXPECT_EQ(r.code, 0);
  EXPECT_EQ(r.out, "sent TensCoef 2.5\nreads back 2.5\n");
  EXPECT_EQ(stored(first, "TensCoef"), 2.5f);
}

TEST_F(CliHidraw, BacksUpAndRestores) {
  CliRun r = run({"get", "all", "--json"});
  ASSERT_EQ(r.code, 0);
  const std::string backup = dir + "/instrument.json";
  std::ofstream(backup) << r.out;
  ASSERT_EQ(run({"set", "TensCoef", "3"}).code, 0);
  ASSERT_EQ(run({"set", "TensUnit", "KN"}).code, 0);
  r = run({"set", "--from", backup});
  EXPECT_EQ(r.code, 0) << r.out;
  EXPECT_EQ(r.out, "TensCoef: 3 -> 1\nTensUnit: KN -> N\n2 values changed, each read back\n");
  EXPECT_EQ(stored(first, "TensCoef"), 1.0f);
}

TEST_F(CliHidraw, RecordsAShortRun) {
  const std::string file = dir + "/run.csv";
  const CliRun r = run({"record", file, "--count", "20", "--columns", "no,tens"});
  EXPECT_EQ(r.code, 0);
  const std::vector<std::string> lines = Lines(Read(file));
  ASSERT_EQ(lines.size(), 21u);
  EXPECT_EQ(lines.front(), "No.;Tensometr;");
  EXPECT_EQ(lines.back().rfind("19;", 0), 0u) << lines.back();
}

// A rig of two: one process per instrument, each picked by its node, each
// recording its own instrument's values.
TEST_F(CliHidraw, TwoInstrumentsRecordedByTwoProcesses) {
  sim::UhidInstrument* second = plug("VX-0002");
  // Told apart by what cannot overlap however the machine is loaded: the
  // second's values are offset by a million, far beyond the first's wave
  // (0 to 1000) and its own noise.
  second->instrument().withModel([](sim::InstrumentModel& m) {
    std::uint8_t offset[5] = {static_cast<std::uint8_t>(protocol::FindParameterByName("TensOffset")->writeCode())};
    protocol::PutFloat32(offset + 1, 1e6f);
    m.handle(offset, sizeof offset);  // a write: not answered
    return 0;
  });
  const std::vector<std::string> found = nodes();
  ASSERT_EQ(found.size(), 2u);
  // Which node is which: a value set through one shows in its model.
  ASSERT_EQ(run({"--device", found[0], "set", "TensCoef", "7"}).code, 0);
  const bool firstIsFirst = stored(first, "TensCoef") == 7.0f;
  const std::string waveNode = firstIsFirst ? found[0] : found[1];
  const std::string offsetNode = firstIsFirst ? found[1] : found[0];
  ASSERT_EQ(run({"--device", found[0], "set", "TensCoef", "1"}).code, 0);

  Cli wave({"--device", waveNode, "record", dir + "/wave.csv", "--count", "30", "--columns", "no,tens"}, dir + "/o1");
  Cli offset({"--device", offsetNode, "record", dir + "/offset.csv", "--count", "30", "--columns", "no,tens"},
             dir + "/o2");
  EXPECT_EQ(wave.wait(), 0);
  EXPECT_EQ(offset.wait(), 0);
  for (const auto& [name, isWave] : {std::pair<std::string, bool>{"wave.csv", true}, {"offset.csv", false}}) {
    const std::vector<std::string> lines = Lines(Read(dir + "/" + name));
    ASSERT_EQ(lines.size(), 31u) << name;
    for (std::size_t i = 1; i < lines.size(); ++i) {
      const double tens = std::stod(lines[i].substr(lines[i].find(';') + 1));
      EXPECT_EQ(tens < 100000, isWave) << name << ": " << lines[i];
    }
  }
}

// One program at a time: a recording holds the instrument; another program
// is told who holds it and sends nothing, and takes it once it is free.
TEST_F(CliHidraw, ASecondProgramIsRefusedWhileTheFirstHoldsTheInstrument) {
  const std::string node = nodes().at(0);
  const std::string file = dir + "/held.csv";
  Cli holder({"record", file, "--duration", "30", "--columns", "no"}, dir + "/o1");
  ASSERT_TRUE(testing::PumpUntil([&] { return Lines(Read(file)).size() >= 3; }, 10000));
  const std::string held = "in use by vestrix-cli (pid " + std::to_string(holder.pid()) + ")";
  const long requests = first->device().outputCount();

  CliRun r = run({"watch", "--once"});
  EXPECT_EQ(r.code, 4);
  EXPECT_EQ(r.err, "vestrix-cli: the instrument at " + node + " is " + held + "\n");
  r = run({"list"});
  EXPECT_EQ(r.code, 4);
  EXPECT_NE(r.out.find("* " + node + "  " + held + "  VESTRIX"), std::string::npos) << r.out;
  r = run({"set", "TensCoef", "5"});
  EXPECT_EQ(r.code, 4);
  EXPECT_NE(stored(first, "TensCoef"), 5.0f);

  ::kill(holder.pid(), SIGTERM);
  EXPECT_EQ(holder.wait(), 0);
  // Only the holder's requests reached the instrument meanwhile: its records are its own.
  const std::vector<std::string> lines = Lines(Read(file));
  for (std::size_t i = 1; i < lines.size(); ++i) EXPECT_EQ(lines[i], std::to_string(i - 1) + ";") << i;
  EXPECT_GT(first->device().outputCount(), requests);
  EXPECT_EQ(run({"set", "TensCoef", "5"}).code, 0);
  EXPECT_EQ(stored(first, "TensCoef"), 5.0f);
}

}  // namespace
}  // namespace vestrix::cli
