#pragma once

#include <QString>

#include <string>

namespace vestrix::device {

// What a user whose instrument was found but cannot be opened for reading
// and writing does about it, on this system.
struct AccessHelp {
  // The status message: its %1 is the device, its %2 the path below.
  const char* messageId;
  // What the message names beside the device (the udev rule on Linux);
  // empty where it names nothing.
  QString path;
  // The whole advice, for a terminal.
  std::string advice;
};

AccessHelp AccessHelpFor(const QString& executableFolder);

}  // namespace vestrix::device
