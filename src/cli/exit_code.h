#pragma once

namespace vestrix::cli {

// How the program ends, for scripts.
enum ExitCode : int {
  kDone = 0,
  kCheckFailed = 1,   // a test failed, or a value read back is not the one sent
  kUsage = 2,         // a usage mistake or an invalid value: nothing was sent
  kNoInstrument = 3,  // no instrument (at the device given)
  kNoAccess = 4,      // the instrument is there, but not open for reading and writing, or another program holds it
  kNoReply = 5,       // the instrument did not answer within one second
  kOutputFailed = 6,  // output could not be written (a full disk...): standard output, or records of the
                      // file; a closed pipe is not a failure
};

}  // namespace vestrix::cli
