#include "support/child_process.h"

#include <gtest/gtest.h>

namespace {

class SignalClose : public ::testing::TestWithParam<int> {};

// A termination signal closes the window as the user's close does:
// FormClose runs and the process exits with 0.
TEST_P(SignalClose, ClosesWindowAndExitsWithZero) {
  vestrix::testing::ChildProcess probe(SIGNAL_PROBE);
  ASSERT_TRUE(probe.started());
  EXPECT_EQ(probe.readLine(30000), "shown");
  probe.signal(GetParam());
  EXPECT_EQ(probe.readLine(30000), "FormClose");
  EXPECT_EQ(probe.wait(), 0);
}

INSTANTIATE_TEST_SUITE_P(Signals, SignalClose, ::testing::Values(SIGTERM, SIGINT, SIGHUP));

}  // namespace
