#pragma once

#include "hid/platform.h"

#include <string>

namespace vestrix::hid::windows_hid {

// One program at a time on a HID interface: a named semaphore of one for
// the interface's path, taken without waiting, and beside it, in named shared memory, who holds
// it ("vestrix-cli.exe (pid 1234)"), for the one that is refused. holder:
// this program's name as others are to see it.
HoldResult HoldInterface(const std::wstring& devicePath, const std::string& holder);

// This process's name and id as a holder ("name.exe (pid N)").
std::string ThisProgram();

}  // namespace vestrix::hid::windows_hid
