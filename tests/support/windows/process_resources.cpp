#include "support/process_resources.h"

#include <cstdint>

#include <windows.h>
// After windows.h, which they build on.
#include <tlhelp32.h>
#include <winternl.h>

namespace vestrix::testing {

namespace {

using QueryThread = NTSTATUS(NTAPI*)(HANDLE, THREADINFOCLASS, PVOID, ULONG, PULONG);

// The image of ntdll in this process: the system's own threads (the thread
// pool's workers, its wait and timer threads) start there and end on the
// system's schedule, seconds after they go idle.
struct Image {
  std::uintptr_t begin = 0;
  std::uintptr_t end = 0;
};

Image SystemImage(HMODULE ntdll) {
  const auto base = reinterpret_cast<std::uintptr_t>(ntdll);
  const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
  const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + static_cast<std::uintptr_t>(dos->e_lfanew));
  return {base, base + nt->OptionalHeader.SizeOfImage};
}

bool StartsInSystem(DWORD threadId, QueryThread query, Image system) {
  const HANDLE thread = ::OpenThread(THREAD_QUERY_INFORMATION, FALSE, threadId);
  if (!thread) return false;
  PVOID start = nullptr;
  const NTSTATUS status =
      query(thread, static_cast<THREADINFOCLASS>(ThreadQuerySetWin32StartAddress), &start, sizeof start, nullptr);
  ::CloseHandle(thread);
  const auto address = reinterpret_cast<std::uintptr_t>(start);
  return status >= 0 && address >= system.begin && address < system.end;
}

}  // namespace

int OpenDescriptors() {
  DWORD handles = 0;
  return ::GetProcessHandleCount(::GetCurrentProcess(), &handles) ? static_cast<int>(handles) : -1;
}

// The threads this process started; the system's worker threads are left out.
int Threads() {
  const HMODULE ntdll = ::GetModuleHandleW(L"ntdll.dll");
  if (!ntdll) return -1;
  const auto query =
      reinterpret_cast<QueryThread>(reinterpret_cast<void*>(::GetProcAddress(ntdll, "NtQueryInformationThread")));
  if (!query) return -1;
  const Image system = SystemImage(ntdll);
  const HANDLE snapshot = ::CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
  if (snapshot == INVALID_HANDLE_VALUE) return -1;
  THREADENTRY32 entry{};
  entry.dwSize = sizeof entry;
  int n = 0;
  for (BOOL more = ::Thread32First(snapshot, &entry); more; more = ::Thread32Next(snapshot, &entry)) {
    if (entry.th32OwnerProcessID == ::GetCurrentProcessId() && !StartsInSystem(entry.th32ThreadID, query, system)) ++n;
  }
  ::CloseHandle(snapshot);
  return n;
}

bool SystemKeepsThreadsOfItsOwn() { return true; }

}  // namespace vestrix::testing
