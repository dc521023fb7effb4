#pragma once

namespace vestrix::testing {

// What this process holds of the system: open descriptors (handles on
// Windows) and threads, for checks that a long run gives back what it took.
// On Windows the system's own worker threads (its thread pool), which end on
// the system's schedule, are not counted.
int OpenDescriptors();
int Threads();
// Whether the system starts threads of its own in the process that stay as
// long as it likes (wine's and Windows' services): then the count of threads
// tells nothing of ours.
bool SystemKeepsThreadsOfItsOwn();

}  // namespace vestrix::testing
