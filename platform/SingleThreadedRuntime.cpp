// Linked into the item DLL only. The DLL starts no threads and every call into it runs on the host's user-
// interface thread, so the static C++ runtime runs without its locks. With them, the unwinder's frame registry
// (which the runtime's start-up code fills whether or not anything throws) creates a semaphore at every load and
// never closes it, and the host reloads its items whenever its settings change. The item uses no exceptions, so
// the runtime's exception reserve is not linked at all.
//
// The runtime takes its locks while _CRT_MT is non-zero, and the MinGW start-up code sets it to 2 from its
// TLS callback: at process attach and detach, at every thread attach, and once more from the DLL's start-up
// right before the constructors run (that call also runs the .CRT$XD* initialisers). Both hooks below
// reset it just after, so the constructors, the unwinder and the teardown all find it 0.
#ifndef UNDER_CE  // the device's compiler brings its own runtime
#include <windows.h>

extern "C" int _CRT_MT;

namespace {

void RunUnlocked() { _CRT_MT = 0; }

void NTAPI RunUnlockedCallback(PVOID, DWORD, PVOID) { _CRT_MT = 0; }

}  // namespace

// After the start-up code's own entries (.CRT$XDA, .CRT$XLC): the sections sort by name.
extern "C" __attribute__((section(".CRT$XDL"), used)) void (*const runUnlockedInitialiser)() = RunUnlocked;
extern "C" __attribute__((section(".CRT$XLY"), used)) const PIMAGE_TLS_CALLBACK runUnlockedCallback =
    RunUnlockedCallback;

#endif
