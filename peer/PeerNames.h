// Names and numbers that the stand-in's main instance, its control commands and its tests share.
#pragma once
#include <windows.h>

// Set (manual reset) once the main instance has its window, has published it and has done its start-up push.
constexpr wchar_t PEER_READY_EVENT_NAME[] = L"ArdenoPeerReady";

// The item starts the main application with no command line; these carry the settings through the
// inherited environment instead.
constexpr wchar_t PEER_NOTICES_ENV[] = L"ARDENO_PEER_NOTICES";
constexpr wchar_t PEER_TRANSCRIPT_ENV[] = L"ARDENO_PEER_TRANSCRIPT";

enum PeerExitCode : int {
    PeerExitOk = 0,
    // run: a bad notices file, an instance already running, a transcript that cannot be opened, a main window
    // that cannot be made or started (its class, the window, its publishing), a restart that could not bring the
    // window back. A command: a bad notices file, no running instance, an instance that did not carry it out or
    // (exit, crash) did not end within 30 s.
    PeerExitFailure = 1,
    PeerExitUsage = 2,    // the command line itself is wrong
};
