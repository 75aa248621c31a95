// Little-endian building of the binary layouts of resources.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "rc/resource_id.h"

namespace platform::rc {

// UTF-8 to UTF-16; false for text that is not UTF-8.
bool toUtf16(const std::string& utf8, std::u16string& out);

class BinaryWriter {
public:
    void byte(std::uint8_t value) { bytes_.push_back(value); }
    void word(std::uint16_t value) {
        byte(static_cast<std::uint8_t>(value));
        byte(static_cast<std::uint8_t>(value >> 8));
    }
    void dword(std::uint32_t value) {
        word(static_cast<std::uint16_t>(value));
        word(static_cast<std::uint16_t>(value >> 16));
    }
    // A zero-terminated UTF-16 string.
    void text(const std::u16string& value) {
        for (char16_t ch : value) word(static_cast<std::uint16_t>(ch));
        word(0);
    }
    // A number as 0xFFFF and the number; a name as a zero-terminated UTF-16 string.
    void nameOrNumber(const ResourceId& id, const std::u16string& name) {
        if (id.isNumber) {
            word(0xFFFF);
            word(id.number);
        } else {
            text(name);
        }
    }
    void alignTo(std::size_t boundary) {
        while (bytes_.size() % boundary) byte(0);
    }
    void append(const std::vector<std::uint8_t>& data) { bytes_.insert(bytes_.end(), data.begin(), data.end()); }
    std::size_t size() const { return bytes_.size(); }
    std::vector<std::uint8_t> take() { return std::move(bytes_); }

private:
    std::vector<std::uint8_t> bytes_;
};

}  // namespace platform::rc
