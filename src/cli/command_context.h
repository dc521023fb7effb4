#pragma once

#include "cli/command_arguments.h"
#include "cli/console_environment.h"
#include "cli/instrument_session.h"
#include "cli/standard_output.h"

#include <QByteArray>

#include <memory>
#include <optional>
#include <string>

namespace vestrix::cli {

// Ends a command with an exit code and a line on standard error (none
// when the line is empty).
struct CommandEnd {
  int code;
  std::string line;
};

// What a user without access to the instrument does about it.
std::string AccessAdvice();
// The line that says another program holds the instrument.
std::string InUseText(const device::Refusal& refusal);

// One run of a command: what was asked, the world around, and the
// instrument once looked for.
class CommandContext {
 public:
  CommandContext(const Invocation& invocation, ConsoleEnvironment& environment, StandardOutput& output);
  ~CommandContext();

  CommandContext(const CommandContext&) = delete;
  CommandContext& operator=(const CommandContext&) = delete;

  const Invocation& args() const { return args_; }
  ConsoleEnvironment& env() { return env_; }

  // Opens the HID services and looks at the devices, once.
  InstrumentSession& look();
  // Looks, and ends the command (CommandEnd: 3, 4 or 5) unless the
  // instrument is connected and answers.
  InstrumentSession& connect();
  // The device node given with --device, as the system names it; "" for any.
  const std::string& wantedNode() const { return wanted_; }
  // The node of the instrument picked ("" when none).
  std::string deviceNode();

  // A line, or bytes, on standard output: false when they could not be
  // written (the reader has gone, the disk is full), and after that nothing
  // more is. The program says why at its end. A line on standard error.
  bool print(const std::string& line) { return output_.line(line); }
  bool write(const QByteArray& bytes) {
    return output_.write(bytes.constData(), static_cast<std::size_t>(bytes.size()));
  }
  StandardOutput& output() { return output_; }
  void note(const std::string& line);

  // An option's whole number, at least 1; nothing when not given.
  // CommandEnd with code 2 when it is not such a number.
  std::optional<long long> count(const std::string& option) const;
  // An option's time in seconds, more than 0; nothing when not given.
  std::optional<double> seconds(const std::string& option) const;

  // The settings file of the window the program goes with.
  QString settingsFile() const;

 private:
  const Invocation& args_;
  ConsoleEnvironment& env_;
  StandardOutput& output_;
  std::string wanted_;
  std::unique_ptr<hid::Platform> platform_;
  std::unique_ptr<InstrumentSession> session_;
  InstrumentSession::Link link_ = InstrumentSession::Link::NoInstrument;
  bool heard_ = false;
};

}  // namespace vestrix::cli
