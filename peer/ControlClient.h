// A control command: hands the work to the running main instance and returns once it is done.
#pragma once
#include "CommandLine.h"

int RunControlCommand(const PeerCommand& command);
