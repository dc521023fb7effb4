#pragma once

namespace vestrix::testing {

// What this process holds of the system: open descriptors (handles on
// Windows) and threads, for checks that a long run gives back what it took.
int OpenDescriptors();
int Threads();

}  // namespace vestrix::testing
