// Test helper: answers for the prompts of a unit test. The platform reads prompt answers from
// standard input; this puts the given bytes there (a fresh file on descriptor 0).
#pragma once

#include <string>

namespace apptest {

void feedStdin(const std::string& bytes);

} // namespace apptest
