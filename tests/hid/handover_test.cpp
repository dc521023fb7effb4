#include "hid/manual_gui_thread.h"

#include <gtest/gtest.h>

#include <atomic>
#include <stdexcept>
#include <thread>

namespace vestrix::hid {
namespace {

TEST(Handover, RunsOnGuiThreadAndRaisesErrorsInTheCaller) {
  ManualGuiThread gui;
  const auto guiId = std::this_thread::get_id();
  std::atomic<bool> done = false;
  std::thread::id ranOn;
  std::string caught;
  std::thread worker([&] {
    gui.invokeBlocking([&] { ranOn = std::this_thread::get_id(); });
    try {
      gui.invokeBlocking([] { throw std::runtime_error("from the handler"); });
    } catch (const std::runtime_error& e) {
      caught = e.what();
    }
    done = true;
    gui.wake();
  });
  gui.waitServing([&] { return done.load(); });
  worker.join();
  EXPECT_EQ(ranOn, guiId);
  EXPECT_EQ(caught, "from the handler");
}

TEST(Handover, OnTheGuiThreadItselfRunsDirectly) {
  ManualGuiThread gui;
  int runs = 0;
  gui.invokeBlocking([&] { ++runs; });
  EXPECT_EQ(runs, 1);
}

TEST(Handover, PostedCallsRunLaterInOrder) {
  ManualGuiThread gui;
  std::vector<int> order;
  gui.post([&] { order.push_back(1); });
  gui.post([&] { order.push_back(2); });
  EXPECT_TRUE(order.empty());
  EXPECT_EQ(gui.processEvents(), 2);
  EXPECT_EQ(order, (std::vector<int>{1, 2}));
}

}  // namespace
}  // namespace vestrix::hid
