#include "protocol/report_dispatcher.h"

#include "protocol/format_fixed.h"
#include "protocol/message_codes.h"

namespace vestrix::protocol {

QString ShowFloatReply(const MessageView& message, QChar decimalSeparator) {
  return FormatFixed(message.float32(1), 15, 4, decimalSeparator);
}

void DispatchMessage(const std::uint8_t* data, std::size_t size, MessageSink& sink, MeasurementSample& latest,
                     QChar decimalSeparator) {
  const MessageView message(data, size);
  const std::uint8_t code = message.code();
  if (const Parameter* p = FindParameterByReadCode(code)) {
    sink.showStatus(QString::fromLatin1(p->statusId));
    switch (p->kind) {
      case ValueKind::Float32: sink.showValue(*p, ShowFloatReply(message, decimalSeparator)); break;
      case ValueKind::UInt32:
        // Read as signed, so the values the program writes read back unchanged.
        sink.showValue(*p, QString::number(static_cast<std::int32_t>(message.uint32(1))));
        break;
      case ValueKind::Index: sink.selectChoice(*p, message.byte(1)); break;
      case ValueKind::ModbusAddress: sink.selectChoice(*p, static_cast<int>(message.byte(1)) - 1); break;
    }
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
    default: break;
  }
}

}  // namespace vestrix::protocol
