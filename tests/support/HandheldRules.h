// What the handheld's reference allows for each function the item may call (platform/handheld-api.txt), as one
// table: the call, the rule, the title of the reference page it comes from. ItemImports holds the item's calls to
// the rows whose rule it can check; a function added to the list needs a row here, one line where the handheld
// has no rule beyond the desktop's.
#pragma once
#include <cstddef>
#include <string>
#include <vector>

struct HandheldRule {
    const char* call;  // as the desktop import names it
    const char* rule;
    const char* page;
};

extern const char kAsOnDesktop[];  // the rule of a row whose page gives none beyond the desktop's

const HandheldRule* HandheldRuleFor(const std::string& call);
// The functions platform/handheld-api.txt lists, in its order.
std::vector<std::string> HandheldApiFunctions();
