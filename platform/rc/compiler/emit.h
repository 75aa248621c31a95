// The generated C++ source that carries a script's resources into the program.
#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "rc/compiler/script.h"

namespace platform::rc {

void writeSource(const std::vector<Resource>& resources, const std::string& scriptName, std::ostream& out);

}  // namespace platform::rc
