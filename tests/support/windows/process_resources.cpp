#include "support/process_resources.h"

#include <windows.h>
// After windows.h, which it builds on.
#include <tlhelp32.h>

namespace vestrix::testing {

int OpenDescriptors() {
  DWORD handles = 0;
  return ::GetProcessHandleCount(::GetCurrentProcess(), &handles) ? static_cast<int>(handles) : -1;
}

int Threads() {
  const HANDLE snapshot = ::CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
  if (snapshot == INVALID_HANDLE_VALUE) return -1;
  THREADENTRY32 entry{};
  entry.dwSize = sizeof entry;
  int n = 0;
  for (BOOL more = ::Thread32First(snapshot, &entry); more; more = ::Thread32Next(snapshot, &entry)) {
    if (entry.th32OwnerProcessID == ::GetCurrentProcessId()) ++n;
  }
  ::CloseHandle(snapshot);
  return n;
}

}  // namespace vestrix::testing
