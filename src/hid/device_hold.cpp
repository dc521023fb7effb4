#include "hid/platform.h"

namespace vestrix::hid {

namespace {

class NoHold : public DeviceHold {};

}  // namespace

HoldResult Platform::hold(const PnpInfo&) { return {std::make_unique<NoHold>(), false, {}}; }

}  // namespace vestrix::hid
