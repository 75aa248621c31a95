#include "rc/compiler/emit.h"

#include <cstdio>

namespace platform::rc {

namespace {

std::string literal(const std::string& text) {
    std::string out = "\"";
    for (unsigned char ch : text) {
        if (ch == '"' || ch == '\\') {
            out += '\\';
            out += static_cast<char>(ch);
        } else if (ch >= 0x20 && ch < 0x7F && ch != '?') {
            out += static_cast<char>(ch);
        } else {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\%03o", ch);
            out += escaped;
        }
    }
    return out + "\"";
}

std::string idFields(const ResourceId& id) {
    return id.isNumber ? std::to_string(id.number) + ", nullptr" : "0, " + literal(id.name);
}

}  // namespace

void writeSource(const std::vector<Resource>& resources, const std::string& scriptName, std::ostream& out) {
    out << "// Resources compiled by kit-rc from " << scriptName << ". Generated; edit the script instead.\n"
        << "#include \"rc/registry.h\"\n\nnamespace {\n\n";
    for (std::size_t i = 0; i < resources.size(); ++i) {
        const auto& data = resources[i].data;
        out << "const unsigned char kData" << i << "[] = {";
        for (std::size_t k = 0; k < data.size(); ++k) {
            if (k % 16 == 0) out << "\n   ";
            out << " " << static_cast<unsigned>(data[k]) << ",";
        }
        if (data.empty()) out << "0";
        out << "\n};\n\n";
    }
    out << "const platform::rc::CompiledResource kResources[] = {\n";
    for (std::size_t i = 0; i < resources.size(); ++i)
        out << "    {" << idFields(resources[i].type) << ", " << idFields(resources[i].name) << ", kData" << i << ", "
            << resources[i].data.size() << "},\n";
    if (resources.empty()) out << "    {0, nullptr, 0, nullptr, nullptr, 0},\n";
    out << "};\n\n"
        << "const platform::rc::ResourceRegistration kRegistration(std::span(kResources, " << resources.size()
        << "));\n\n}  // namespace\n";
}

}  // namespace platform::rc
