// The main instance: the stand-in for the messenger's main application, running until told to exit.
#pragma once
#include "CommandLine.h"

int RunMainInstance(HINSTANCE instance, const RunOptions& options);
