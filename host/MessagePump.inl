// Template part of MessagePump.h.
template <typename Condition>
PumpResult PumpUntil(Condition condition, DWORD timeoutMs, DWORD pollMs) {
    const DWORD start = GetTickCount();
    for (;;) {
        if (DrainMessages() == PumpResult::Quit) return PumpResult::Quit;
        if (condition()) return PumpResult::Done;
        DWORD elapsed = GetTickCount() - start;
        if (elapsed >= timeoutMs) return PumpResult::TimedOut;
        DWORD slice = timeoutMs - elapsed < pollMs ? timeoutMs - elapsed : pollMs;
        MsgWaitForMultipleObjectsEx(0, nullptr, slice, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
    }
}
