#pragma once

namespace vestrix::loop {

// What every program of this system does first: on Linux, a write to a
// reader that went away or beyond a file size limit fails (and is
// reported) instead of killing the program; on Windows, standard input and
// output carry bytes as they are (no CR added before a LF).
void PrepareProcess();

}  // namespace vestrix::loop
