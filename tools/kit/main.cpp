// kit: the distribution kit's build tool. Compresses and expands files in the LZ expand format.
#include "commands.h"

namespace {

const tools::Command kCommands[] = {
    {"compress", cmdCompress, "compress IN OUT     compress file IN into OUT in the LZ expand format"},
    {"expand", cmdExpand, "expand IN OUT       expand file IN, compressed in the LZ expand format, into OUT"},
};

}  // namespace

int main(int argc, char** argv) { return tools::runCommand("kit", kCommands, argc, argv); }
