// The HID devices as the window sees them, from a Windows console: each
// with its ids, access and product string, the instrument marked; --talk
// asks the instrument for measurements and prints the last one decoded,
// with the round trips' times; --hold keeps the instrument for a while, as
// a program that uses it does.
#include "cli/instrument_session.h"
#include "cli/watch_format.h"
#include "clock/local_clock.h"
#include "hid/windows/windows_platform.h"
#include "options/command_line.h"

#include <QCoreApplication>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

namespace {

using vestrix::cli::InstrumentSession;

int Count(const std::optional<std::string>& text, int fallback) {
  if (!text) return fallback;
  try {
    return std::max(1, std::stoi(*text));
  } catch (const std::exception&) {
    return -1;
  }
}

}  // namespace

int main(int argc, char** argv) {
  const vestrix::options::ProgramInfo info{
      "vestrix-hid",
      "The HID devices as VESTRIX PC sees them, the instrument marked with *.",
      "Exit codes: 0 done, 2 a usage mistake, 3 no instrument (or no HID services), 4 no access or\n"
      "another program holds it, 5 no reply within one second.",
      {{"--talk N",
        "ask the instrument for N measurements (at least 1), one after the other, and print the\n"
        "last one decoded and the round trips' times"},
       {"--hold SECONDS", "hold the instrument for this long, asking for a measurement every 15 ms"}},
      {}};
  const vestrix::options::Parsed parsed = vestrix::options::ParseCommandLine(argc, argv, info);
  if (parsed.exitCode) return *parsed.exitCode;
  const int talks = Count(parsed.value("--talk"), 0);
  const int holdSeconds = Count(parsed.value("--hold"), 0);
  if (talks < 0 || holdSeconds < 0) {
    std::fprintf(stderr, "vestrix-hid: --talk and --hold take a whole number from 1\n");
    return 2;
  }
  const QCoreApplication application(argc, argv);
  vestrix::hid::windows_hid::WindowsPlatform platform;
  if (!platform.available()) {
    std::fprintf(stderr, "vestrix-hid: no HID services: %s cannot be bound\n", platform.unavailableReason().c_str());
    return 3;
  }
  InstrumentSession session(platform);
  const InstrumentSession::Link link = session.discover();
  for (const vestrix::device::DeviceLine& line : session.lines()) {
    const bool candidate = session.isCandidate(line);
    std::string access = "-";
    std::string ids;
    std::string path;
    if (line.device != nullptr) {
      access = line.device->OpenedForReadWrite() ? "read/write" : "no access";
      char text[32];
      std::snprintf(text, sizeof text, "%04X:%04X", line.device->VendorID(), line.device->ProductID());
      ids = text;
      path = line.device->pnpInfo().devicePath;
    }
    if (candidate && session.refusal() && session.refusal()->kind == vestrix::device::Refusal::Kind::InUse &&
        line.device == session.instrument()) {
      access = "in use by " +
               (session.refusal()->holder.empty() ? std::string("another program") : session.refusal()->holder);
    }
    std::printf("%s %s  %s  %s  %s\n", candidate ? "*" : " ", ids.c_str(), access.c_str(),
                line.text.toStdString().c_str(), path.c_str());
  }
  std::fflush(stdout);
  if (talks == 0 && holdSeconds == 0) return link == InstrumentSession::Link::NoInstrument ? 3 : 0;
  if (link == InstrumentSession::Link::NoInstrument) {
    std::fprintf(stderr, "vestrix-hid: no VESTRIX instrument\n");
    return 3;
  }
  if (link == InstrumentSession::Link::NoAccess) {
    std::fprintf(stderr, "vestrix-hid: the instrument cannot be used (no access, or another program holds it)\n");
    return 4;
  }
  if (!session.awaitReader()) {
    std::fprintf(stderr, "vestrix-hid: no reply from the instrument within one second\n");
    return 5;
  }
  if (talks > 0) {
    std::vector<std::int64_t> times;
    std::optional<vestrix::protocol::MeasurementSample> last;
    const std::int64_t began = vestrix::clock::MonotonicMsNow();
    for (int i = 0; i < talks; ++i) {
      const auto start = std::chrono::steady_clock::now();
      last = session.measure();
      if (!last) {
        std::fprintf(stderr, "vestrix-hid: no reply to request %d within one second\n", i + 1);
        return 5;
      }
      times.push_back(
          std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() - start).count());
    }
    const std::int64_t total = std::max<std::int64_t>(vestrix::clock::MonotonicMsNow() - began, 1);
    std::printf("%s\n", vestrix::cli::TextLine(*last, QLatin1Char('.')).c_str());
    std::sort(times.begin(), times.end());
    std::printf("round trips: %d, median %.3f ms, p99 %.3f ms, %.0f a second\n", talks,
                static_cast<double>(times[times.size() / 2]) / 1000.0,
                static_cast<double>(times[std::min(times.size() - 1, times.size() * 99 / 100)]) / 1000.0,
                talks * 1000.0 / static_cast<double>(total));
  }
  if (holdSeconds > 0) {
    session.startPolling();
    session.waitFor([] { return false; }, holdSeconds * 1000);
    session.stopPolling();
    std::printf("held for %d s, %llu measurements\n", holdSeconds,
                static_cast<unsigned long long>(session.measurements()));
  }
  std::fflush(stdout);
  return 0;
}
