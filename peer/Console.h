// Messages for whoever started us. The program has no console of its own (the item starts it like any
// windowed program), so it writes to the standard handles it inherited, or to its parent's console.
#pragma once
#include <string>

void WriteError(const std::string& utf8);
void WriteOutput(const std::string& utf8);
