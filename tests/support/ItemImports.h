// The platform's functions through which the item takes memory or makes GDI and USER objects, as a test or a
// benchmark watches them: counted, its local heap's blocks followed (the figure of its peak memory), and failing
// one call or a run of calls at a time, as on a handheld short of memory. Installed by rewriting the export tables
// of the system libraries while the item's DLL is not loaded, so that its imports are bound to stand-ins when it is
// next; a stand-in counts and fails only calls made from inside the item's module and passes every other on.
#pragma once
#include <windows.h>
#include <string>
#include <vector>

namespace ItemImports {

// Once, before the item's DLL is first loaded (the shell helper library is loaded here, to be rewritten too).
// False, with the reason in *problem, when an export could not be rewritten.
bool Install(const wchar_t* itemModule, const char** problem);
// From now on, the item's calls are also held to the handheld's reference (tests/support/HandheldRules): a call
// with an argument the handheld does not take is recorded, and a call the handheld answers otherwise is answered as
// it would answer (a DIB format it refuses fails; extents past those that fit are poisoned). Installs the stand-ins
// if Install has not; both may be called, in either order.
bool HoldToHandheldRules(const wchar_t* itemModule, const char** problem);
// The calls that broke a rule since the last take, each naming the call, the argument, the rule and its page.
std::vector<std::string> TakeViolations();
// The item's calls numbered from 1 on since the count was reset; those from `first` on, `count` of them, fail
// (count 0: none). Failing calls answer as the platform does when memory is short.
void FailCalls(unsigned first, unsigned count);
// Every one of the item's calls to the named function fails, leaving `error` (null name: none does), beside any
// run FailCalls sets: a failure of another kind than a shortage where `error` says so.
void FailEvery(const char* name, DWORD error);
void ResetCount();
unsigned CallsSoFar();
// Their names, in order.
std::string CountedCalls();
// The item's module was unloaded: it may be loaded elsewhere next time.
void ItemUnloaded();
// Blocks the item took from its local heap and has not given back.
size_t LiveItemBlocks();
// The bytes the item asked its local heap for, still held: now, and at most since the last reset of the peak.
size_t LiveItemBytes();
size_t PeakItemBytes();
void ResetPeak();

}  // namespace ItemImports
