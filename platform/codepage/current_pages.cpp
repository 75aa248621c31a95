#include "codepage/code_page.h"

#include "kernel/pc.h"

namespace platform::codepage {

int ansiCodePage() { return Pc::current().settings().codePage; }
int oemCodePage() { return Pc::current().settings().oemCodePage; }

}  // namespace platform::codepage
