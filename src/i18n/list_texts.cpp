#include "i18n/list_texts.h"

#include "i18n/translation_table.h"
#include "protocol/parameter_table.h"

#include <array>
#include <cstring>

namespace vestrix::i18n {

namespace {

constexpr std::array<TranslatedList, 16> kLists = {{
    {"BoxTensPoint", "TensPoint", true},
    {"BoxAdcPoint", "AdcPoint", true},
    {"BoxEncPoint", "EncPoint", true},
    {"BoxTensUnit", "TensUnit", true},
    {"BoxTensFilter", "TensFilter", true},
    {"BoxModbusBr", "ModbusBr", true},
    {"BoxModbusAdr", "ModbusAdr", true},
    {"BoxMemory", "SdRecording", true},
    {"BoxEncReset", "EncReset", true},
    {"BoxTrigerSource", "TriggerSource", true},
    {"BoxSampleTime", "SampleTime", true},
    {"BoxPk1", "Pk1Source", true},
    {"BoxPk2", "Pk2Source", true},
    {"DataTime", "UpdatePeriods", true},
    {"ChartSpan", "ChartSpans", false},
    {"CaptureDirection", "CaptureDirections", false},
}};

// The Polish words of a parameter's fixed entries, where Polish has words
// of its own; a numbered range after them stays as the parameter has it.
struct PolishWords {
  const char* parameter;
  std::array<const char*, 6> fixed;
};

const PolishWords kPolishWords[] = {
    {"TensUnit", {"g", "Kg", "N", "KN", "Funt"}},
    {"TensFilter", {"Brak filtracji"}},
    {"SdRecording", {"Niekatywny", "Aktywny"}},
    {"EncReset", {"Niekatywny", "Aktywny"}},
    {"TriggerSource", {"Ciągły", "Impuls + (IN 1)", "Poziom + (IN 1)", "Tensometr", "Enkoder", "Wejście 0-10V"}},
    {"Pk1Source", {"Tensometr", "Enkoder", "IN 0-10V"}},
    {"Pk2Source", {"Tensometr", "Enkoder", "IN 0-10V"}},
    {"ChartSpans", {"10 s", "1 min", "10 min", "1 h", "wszystko"}},
    {"CaptureDirections", {"Rozciąganie", "Ściskanie"}},
};

const PolishWords* PolishOf(const char* parameter) {
  for (const PolishWords& words : kPolishWords) {
    if (std::strcmp(words.parameter, parameter) == 0) return &words;
  }
  return nullptr;
}

}  // namespace

const QStringList& UpdatePeriods() {
  static const QStringList periods = {
      QStringLiteral("20 [ms]"),  QStringLiteral("50 [ms]"),  QStringLiteral("100 [ms]"), QStringLiteral("200 [ms]"),
      QStringLiteral("500 [ms]"), QStringLiteral("1 [s]"),    QStringLiteral("2 [s]"),    QStringLiteral("5 [s]"),
      QStringLiteral("10 [s]"),   QStringLiteral("30 [s]"),   QStringLiteral("1[ min]"),  QStringLiteral("5 [min]"),
      QStringLiteral("15[ min]"), QStringLiteral("30 [min]"), QStringLiteral("60 [min]"),
  };
  return periods;
}

const QStringList& ChartSpans() {
  static const QStringList spans = {QStringLiteral("10 s"), QStringLiteral("1 min"), QStringLiteral("10 min"),
                                    QStringLiteral("1 h"), QStringLiteral("all kept")};
  return spans;
}

const QStringList& CaptureDirections() {
  static const QStringList directions = {QStringLiteral("Tension"), QStringLiteral("Compression")};
  return directions;
}

std::span<const TranslatedList> TranslatedLists() { return kLists; }

QStringList ListEntries(const TranslatedList& list, int language) {
  const PolishWords* polish = language == kPolish ? PolishOf(list.source) : nullptr;
  const protocol::Parameter* parameter = protocol::FindParameterByName(list.source);
  if (parameter == nullptr) {
    QStringList entries = std::strcmp(list.source, "ChartSpans") == 0          ? ChartSpans()
                          : std::strcmp(list.source, "CaptureDirections") == 0 ? CaptureDirections()
                                                                               : UpdatePeriods();
    for (int i = 0; polish != nullptr && i < entries.size(); ++i) {
      entries[i] = QString::fromUtf8(polish->fixed[static_cast<std::size_t>(i)]);
    }
    return entries;
  }
  QStringList entries;
  for (int i = 0; i < parameter->choices.count(); ++i) {
    const bool fixed = i < static_cast<int>(parameter->choices.fixed.size());
    entries << (polish != nullptr && fixed ? QString::fromUtf8(polish->fixed[static_cast<std::size_t>(i)])
                                           : QString::fromStdString(parameter->choices.text(i)));
  }
  return entries;
}

}  // namespace vestrix::i18n
