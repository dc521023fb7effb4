#include "protocol/report_dispatcher.h"

#include "protocol/format_fixed.h"
#include "protocol/message_codes.h"
#include "protocol/parameter_reply.h"

namespace vestrix::protocol {

QString ShowFloatReply(const MessageView& message, QChar decimalSeparator) {
  return FormatFixed(message.float32(1), 15, 4, decimalSeparator);
}

void DispatchMessage(const std::uint8_t* data, std::size_t size, MessageSink& sink, MeasurementSample& latest,
                     QChar decimalSeparator) {
  const MessageView message(data, size);
  const std::uint8_t code = message.code();
  if (const std::optional<ParameterValue> reply = DecodeReply(message)) {
    const Parameter& p = *reply->parameter;
    sink.valueReplied(*reply);
    sink.showStatus(QString::fromLatin1(p.statusId));
    if (p.isList()) {
      sink.selectChoice(p, reply->position());
    } else if (p.kind == ValueKind::Float32) {
      sink.showValue(p, ShowFloatReply(message, decimalSeparator));
    } else {
      sink.showValue(p, QString::number(reply->integer));
    }
    sink.handled(code);
    return;
  }
  switch (code) {
    case kReadMeasurement:
      latest = DecodeMeasurement(message);
      sink.measurementReceived(latest);
      break;
    case kResetMinMax: sink.showStatus(QStringLiteral("IDS_14")); break;
    case kInputCalibration: sink.showStatus(QStringLiteral("IDS_16")); break;
    case kTaring: sink.showStatus(QStringLiteral("IDS_15")); break;
    default: return;
  }
  sink.handled(code);
}

}  // namespace vestrix::protocol
