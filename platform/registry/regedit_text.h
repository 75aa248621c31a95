// The registry file's text: the REGEDIT4 form with CR LF line ends.
//
//   REGEDIT4
//
//   [HKEY_LOCAL_MACHINE\Software\Vendor]
//   @="default value"
//   "Name"="text with \\ and \" escaped"
//   "Count"=dword:0000000a
//   "Raw"=hex:01,02,ff
//   "Other"=hex(7):41,00,00
//
// Strings that the quoted form cannot keep exactly (no terminating zero, a zero or a line break
// inside) are written in the hex form of their type, so every value survives a reload unchanged.
#pragma once

#include "registry/key_tree.h"

#include <filesystem>
#include <stdexcept>
#include <string>
#include <string_view>

namespace platform::registry {

// A registry file that is not in the REGEDIT4 form; the message names the file and the line.
class RegistryFileError : public std::runtime_error {
public:
    RegistryFileError(const std::filesystem::path& file, std::size_t line, const std::string& what);
};

inline constexpr std::string_view kRegeditHeader = "REGEDIT4\r\n\r\n";

// The whole registry, header included.
std::string formatRegistry(const Tree& tree);
// One key and everything below it, without the header; FULLNAME heads its section.
std::string formatKey(const Key& key, const std::string& fullName);

// Reads a registry file's text; an empty text is an empty registry. Throws RegistryFileError.
Tree parseRegistry(std::string_view text, int codePage, const std::filesystem::path& file);

}  // namespace platform::registry
