#pragma once

#include "app/error_box.h"
#include "app/main_window.h"
#include "app/program_settings_page.h"
#include "app/status_panels.h"
#include "hid/simulated/sim_bus.h"
#include "simulated_instrument/vestrix_instrument.h"

#include "support/hid_fixture.h"
#include "support/qt_print.h"
#include "support/qt_pump.h"
#include "support/test_settings.h"

#include <QTimer>

#include <gtest/gtest.h>

#include <memory>

namespace vestrix::testing {

// The real main window on a simulated bus. Error boxes are recorded instead
// of shown.
class WindowFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    previousPresenter_ = app::SetErrorBoxPresenter([this](const QString&, const QString& text) { errors << text; });
  }
  void TearDown() override {
    window.reset();
    app::SetErrorBoxPresenter(previousPresenter_);
    EXPECT_TRUE(errors.isEmpty()) << errors.join("; ").toStdString();
  }

  // A simulated instrument, plugged in.
  std::shared_ptr<hid::sim::SimDevice> plugInstrument() {
    auto instrument = std::make_shared<sim::VestrixInstrument>();
    instruments.push_back(instrument);
    return bus.plug(sim::VestrixInstrumentSpec(instrument));
  }

  // Creates the window and lets the start-up pass run.
  void start() {
    window = std::make_unique<app::TFMain>(bus, settings.path());
    window->setDecimalSeparator(QLatin1Char('.'));
    settle();
  }

  // Lets posted device-change passes and pending reports run.
  void settle() { PumpFor(60); }

  QString panel(int i) const { return window->StatusBar->panelText(i); }
  QString message(const char* id) const { return window->LookupMessage(QString::fromLatin1(id)); }
  QStringList lines() const {
    QStringList texts;
    for (const auto& line : window->deviceLines()) texts << line.text;
    return texts;
  }
  bool connected() const { return window->DeviceConnected == 255 && window->DataTimer->isActive(); }
  bool disconnected() const { return window->DeviceConnected == 0 && !window->DataTimer->isActive(); }

  TestSettings settings;
  hid::sim::SimBus bus;
  std::vector<std::shared_ptr<sim::VestrixInstrument>> instruments;
  std::unique_ptr<app::TFMain> window;
  QStringList errors;

 private:
  app::ErrorBoxPresenter previousPresenter_;
};

}  // namespace vestrix::testing
