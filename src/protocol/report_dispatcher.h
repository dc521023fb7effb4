#pragma once

#include "protocol/measurement_sample.h"
#include "protocol/parameter_reply.h"
#include "protocol/parameter_table.h"

#include <QString>

#include <cstddef>
#include <cstdint>

namespace vestrix::protocol {

// What a received message does to the user interface.
class MessageSink {
 public:
  virtual ~MessageSink() = default;
  // Panel 0 of the status bar shows the message of this identifier.
  virtual void showStatus(const QString& identifier) = 0;
  // The parameter's edit box shows this text.
  virtual void showValue(const Parameter& parameter, const QString& text) = 0;
  // The parameter's list selects this position; one outside the list
  // (-1 included) leaves it with no selection.
  virtual void selectChoice(const Parameter& parameter, int position) = 0;
  // A measurement message has been decoded into the latest sample.
  virtual void measurementReceived(const MeasurementSample& sample) = 0;
  // Beyond what the window shows: a parameter's value as the reply carries
  // it, and the code of every message handled (a reply, an action's
  // acknowledgement, a measurement), for a program that waits for replies.
  virtual void valueReplied(const ParameterValue&) {}
  virtual void handled(std::uint8_t /*code*/) {}
};

// Dispatches one input message (the bytes after the report id) by its code.
// Codes that are neither a parameter read code, 4, 131, 140 nor 158 (write
// codes among them) are ignored.
void DispatchMessage(const std::uint8_t* data, std::size_t size, MessageSink& sink, MeasurementSample& latest,
                     QChar decimalSeparator);

// A float reply's value (message bytes 1 to 4) as the edit box shows it.
QString ShowFloatReply(const MessageView& message, QChar decimalSeparator);

}  // namespace vestrix::protocol
