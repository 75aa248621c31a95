// pc reg DIR [KEY]: the PC's registry, or one key and everything below it, in REGEDIT4 form.
// The registry holds text in the PC's code page; it is shown, and KEY is given, in UTF-8.
#include "commands.h"

#include "kernel/pc.h"
#include "kernel/text.h"
#include "registry/key_path.h"
#include "registry/regedit_text.h"
#include "registry/registry_store.h"

#include <cstdio>
#include <filesystem>
#include <stdexcept>

namespace fs = std::filesystem;
using namespace platform::registry;

namespace {

std::string keyText(const Tree& tree, const std::string& keyName, const fs::path& pcDir) {
    std::size_t slash = keyName.find('\\');
    std::optional<int> root = rootByName(std::string_view(keyName).substr(0, slash));
    if (!root) throw std::runtime_error("\"" + keyName + "\" does not begin with a root key such as HKEY_LOCAL_MACHINE");
    KeyPath path;
    if (slash != std::string::npos && parseKeyPath(std::string_view(keyName).substr(slash + 1), path) != 0)
        throw std::runtime_error("\"" + keyName + "\" is not a valid key name");
    const Key* key = tree.find(*root, path);
    if (key == nullptr) throw std::runtime_error("no key " + keyName + " in the registry of " + pcDir.string());
    return std::string(kRegeditHeader) + formatKey(*key, tree.fullName(*root, path));
}

}  // namespace

int cmdReg(const Args& args) {
    if (args.empty() || args.size() > 2) throw std::runtime_error("usage: pc reg DIR [KEY]");
    const fs::path pcDir = args[0];
    if (!platform::Pc::isPcFolder(pcDir)) throw std::runtime_error(pcDir.string() + " is not a PC folder (make one with pc init)");
    const int codePage = platform::readPcSettings(pcDir / platform::Pc::kSettingsFile).codePage;

    Store store(pcDir / platform::Pc::kRegistryFile, codePage);
    const Tree& tree = store.read();
    std::string text = args.size() == 1 ? formatRegistry(tree)
                                        : keyText(tree, platform::text::fromUtf8(args[1], codePage), pcDir);
    std::string shown = platform::text::toUtf8(text, codePage);
    std::fwrite(shown.data(), 1, shown.size(), stdout);
    return 0;
}
