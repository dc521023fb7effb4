// The configuration page's places of the parameters pinned, row by row:
// the control names that the translation table and the tests find, the
// group boxes and rows of the page's layout.
#include "config/ui/parameter_layout.h"

#include <gtest/gtest.h>

#include <cstring>

namespace vestrix::config {
namespace {

using G = ParameterGroup;

struct Pinned {
  const char* parameter;
  const char* control;
  const char* readButton;
  const char* writeButton;
  const char* captionLabel;
  G group;
  int row;
};

// Written out from the page as it was laid out, not from the table.
const Pinned kPinned[] = {
    {"ModbusAdr", "BoxModbusAdr", "SpeedButton16", "SpeedButton17", "Label29", G::Global, 0},
    {"SdRecording", "BoxMemory", "SpeedButton58", "SpeedButton59", "Label50", G::Global, 2},
    {"AdcOffset", "BoxAdcOffset", "SpeedButton21", "SpeedButton20", "Label31", G::Analog, 0},
    {"AdcCoef", "BoxAdcCoef", "SpeedButton22", "SpeedButton23", "Label32", G::Analog, 1},
    {"AdcPoint", "BoxAdcPoint", "SpeedButton28", "SpeedButton29", "Label35", G::Analog, 2},
    {"EncOffset", "BoxEncOffset", "SpeedButton25", "SpeedButton24", "Label33", G::Counter, 0},
    {"EncCoef", "BoxEncCoef", "SpeedButton26", "SpeedButton27", "Label34", G::Counter, 1},
    {"EncPoint", "BoxEncPoint", "SpeedButton30", "SpeedButton31", "Label36", G::Counter, 2},
    {"TensConst", "BoxTensConst", "SpeedButton3", "SpeedButton2", "Label22", G::Tensometric, 0},
    {"TensRange", "BoxTensRange", "SpeedButton4", "SpeedButton5", "Label23", G::Tensometric, 1},
    {"TensOffset", "BoxTensOffset", "SpeedButton6", "SpeedButton7", "Label24", G::Tensometric, 2},
    {"TensCoef", "BoxTensCoef", "SpeedButton8", "SpeedButton9", "Label25", G::Tensometric, 3},
    {"TensPoint", "BoxTensPoint", "SpeedButton10", "SpeedButton11", "Label26", G::Tensometric, 4},
    {"TensUnit", "BoxTensUnit", "SpeedButton12", "SpeedButton13", "Label27", G::Tensometric, 5},
    {"TensFilter", "BoxTensFilter", "SpeedButton14", "SpeedButton15", "Label28", G::Tensometric, 6},
    {"TriggerSource", "BoxTrigerSource", "SpeedButton40", "SpeedButton41", "Label41", G::Trigger, 2},
    {"EncReset", "BoxEncReset", "SpeedButton42", "SpeedButton43", "Label42", G::Trigger, 3},
    {"TriggerStart", "BoxTrigerStart", "SpeedButton33", "SpeedButton32", "Label37", G::Trigger, 0},
    {"TriggerStop", "BoxTrigerStop", "SpeedButton34", "SpeedButton35", "Label38", G::Trigger, 1},
    {"SampleTime", "BoxSampleTime", "SpeedButton44", "SpeedButton45", "Label43", G::Trigger, 4},
    {"Pk1Source", "BoxPk1", "SpeedButton54", "SpeedButton55", "Label48", G::Relay, 4},
    {"Pk1On", "BoxPk1On", "SpeedButton37", "SpeedButton36", "Label39", G::Relay, 0},
    {"Pk1Off", "BoxPk1Off", "SpeedButton38", "SpeedButton39", "Label40", G::Relay, 1},
    {"Pk2Source", "BoxPk2", "SpeedButton56", "SpeedButton57", "Label49", G::Relay, 5},
    {"Pk2On", "BoxPk2On", "SpeedButton46", "SpeedButton47", "Label44", G::Relay, 2},
    {"Pk2Off", "BoxPk2Off", "SpeedButton48", "SpeedButton49", "Label45", G::Relay, 3},
    {"ModbusBr", "BoxModbusBr", "SpeedButton18", "SpeedButton19", "Label30", G::Global, 1},
};

TEST(ParameterLayout, EveryParameterInItsPlace) {
  ASSERT_EQ(ParameterPlaces().size(), std::size(kPinned));
  ASSERT_EQ(protocol::Parameters().size(), std::size(kPinned));
  for (std::size_t i = 0; i < std::size(kPinned); ++i) {
    const Pinned& want = kPinned[i];
    const protocol::Parameter& p = protocol::Parameters()[i];
    const ParameterPlace& place = PlaceOf(p);
    SCOPED_TRACE(want.parameter);
    EXPECT_STREQ(p.name, want.parameter);
    EXPECT_STREQ(place.parameter, want.parameter);
    EXPECT_STREQ(place.control, want.control);
    EXPECT_STREQ(place.readButton, want.readButton);
    EXPECT_STREQ(place.writeButton, want.writeButton);
    EXPECT_STREQ(place.captionLabel, want.captionLabel);
    EXPECT_EQ(place.group, want.group);
    EXPECT_EQ(place.row, want.row);
  }
}

}  // namespace
}  // namespace vestrix::config
