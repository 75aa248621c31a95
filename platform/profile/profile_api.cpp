// The profile functions of the platform on top of the parsed-file store.
#include "win/profile.h"

#include "kernel/pc.h"
#include "profile/ini_document.h"
#include "profile/profile_file.h"
#include "profile/profile_number.h"
#include "profile/profile_store.h"
#include "profile/result_buffer.h"
#include "win/kernel.h"

#include <memory>
#include <string>
#include <string_view>
#include <vector>

using platform::profile::IniDocument;
using platform::profile::ProfileStore;

namespace {

constexpr const char* kWinIni = "WIN.INI";

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string_view trimmed(std::string_view text) {
    while (!text.empty() && isBlank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && isBlank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

bool hasLineBreak(std::string_view text) {
    return text.find_first_of("\r\n") != std::string_view::npos;
}

// Names and values that would read back as something else, or break the file's lines, are
// refused rather than written.
bool isWritableSection(std::string_view section) {
    return !hasLineBreak(section) && section.find(']') == std::string_view::npos;
}

bool isWritableKey(std::string_view key) {
    return !key.empty() && !hasLineBreak(key) && key.find('=') == std::string_view::npos && key.front() != ';' &&
           key.front() != '[';
}

bool isWritableValue(std::string_view value) {
    return !hasLineBreak(value);
}

int codePage() {
    return platform::Pc::current().settings().codePage;
}

const IniDocument& emptyDocument() {
    static const IniDocument empty;
    return empty;
}

// The file as it is now; nullptr (with the last error set) when it cannot be read. A missing
// file reads as an empty one.
std::shared_ptr<const IniDocument> readProfile(LPCSTR fileName) {
    if (fileName == nullptr) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    const platform::profile::ProfileFile file = platform::profile::locateProfileFile(fileName);
    if (!file) {
        SetLastError(file.error);
        return nullptr;
    }
    DWORD error = 0;
    std::shared_ptr<const IniDocument> document = ProfileStore::instance().load(file.host, codePage(), error);
    if (!document) {
        SetLastError(error);
    }
    return document;
}

BOOL writeProfile(LPCSTR fileName, const ProfileStore::Edit& edit) {
    if (fileName == nullptr) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    const platform::profile::ProfileFile file = platform::profile::locateProfileFile(fileName);
    if (!file) {
        SetLastError(file.error);
        return FALSE;
    }
    DWORD error = 0;
    if (!ProfileStore::instance().update(file.host, codePage(), edit, error)) {
        SetLastError(error);
        return FALSE;
    }
    return TRUE;
}

// The default without its trailing blanks; NULL is the empty text.
std::string_view defaultText(LPCSTR defaultValue) {
    std::string_view text = defaultValue == nullptr ? std::string_view() : std::string_view(defaultValue);
    while (!text.empty() && isBlank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

std::optional<int> profileNumber(LPCSTR section, LPCSTR key, LPCSTR fileName) {
    if (section == nullptr || key == nullptr) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return std::nullopt;
    }
    const std::shared_ptr<const IniDocument> document = readProfile(fileName);
    const IniDocument& file = document ? *document : emptyDocument();
    const std::optional<std::string_view> value = file.value(trimmed(section), trimmed(key));
    return value ? platform::profile::leadingNumber(*value) : std::nullopt;
}

}  // namespace

DWORD WINAPI GetPrivateProfileStringA(LPCSTR section, LPCSTR key, LPCSTR defaultValue, LPSTR buffer, DWORD size,
                                      LPCSTR fileName) {
    if (buffer == nullptr) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    const std::shared_ptr<const IniDocument> document = readProfile(fileName);
    const IniDocument& file = document ? *document : emptyDocument();
    if (section == nullptr) {
        return platform::profile::copyList(file.sectionNames(), buffer, size);
    }
    if (key == nullptr) {
        return platform::profile::copyList(file.keyNames(trimmed(section)), buffer, size);
    }
    const std::optional<std::string_view> value = file.value(trimmed(section), trimmed(key));
    return platform::profile::copyString(value ? *value : defaultText(defaultValue), buffer, size);
}

UINT WINAPI GetPrivateProfileIntA(LPCSTR section, LPCSTR key, INT defaultValue, LPCSTR fileName) {
    return static_cast<UINT>(profileNumber(section, key, fileName).value_or(defaultValue));
}

DWORD WINAPI GetPrivateProfileSectionA(LPCSTR section, LPSTR buffer, DWORD size, LPCSTR fileName) {
    if (section == nullptr || buffer == nullptr) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    const std::shared_ptr<const IniDocument> document = readProfile(fileName);
    const IniDocument& file = document ? *document : emptyDocument();
    return platform::profile::copyList(file.entries(trimmed(section)), buffer, size);
}

BOOL WINAPI WritePrivateProfileStringA(LPCSTR section, LPCSTR key, LPCSTR value, LPCSTR fileName) {
    if (section == nullptr && key == nullptr && value == nullptr) {
        // Drops this process's copy of the file; the platform reports this as FALSE.
        if (fileName != nullptr) {
            if (const auto file = platform::profile::locateProfileFile(fileName)) {
                ProfileStore::instance().forget(file.host);
            }
        }
        return FALSE;
    }
    if (section == nullptr || !isWritableSection(trimmed(section)) ||
        (key != nullptr && !isWritableKey(trimmed(key))) || (value != nullptr && !isWritableValue(value))) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    const std::string sectionName(trimmed(section));
    if (key == nullptr) {
        return writeProfile(fileName, [&](const IniDocument& file) { return file.withoutSection(sectionName); });
    }
    const std::string keyName(trimmed(key));
    if (value == nullptr) {
        return writeProfile(fileName,
                            [&](const IniDocument& file) { return file.withoutKey(sectionName, keyName); });
    }
    return writeProfile(fileName,
                        [&](const IniDocument& file) { return file.withValue(sectionName, keyName, value); });
}

BOOL WINAPI WritePrivateProfileSectionA(LPCSTR section, LPCSTR lines, LPCSTR fileName) {
    if (section == nullptr || lines == nullptr || !isWritableSection(trimmed(section))) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    std::vector<std::string> entries;
    for (LPCSTR line = lines; *line != '\0'; line += entries.back().size() + 1) {
        entries.emplace_back(line);
        const std::string_view entry = entries.back();
        const std::size_t equals = entry.find('=');
        if (equals == std::string_view::npos || !isWritableKey(trimmed(entry.substr(0, equals))) ||
            !isWritableValue(entry)) {
            SetLastError(ERROR_INVALID_PARAMETER);
            return FALSE;
        }
    }
    const std::string sectionName(trimmed(section));
    return writeProfile(fileName, [&](const IniDocument& file) { return file.withSection(sectionName, entries); });
}

DWORD WINAPI GetProfileStringA(LPCSTR section, LPCSTR key, LPCSTR defaultValue, LPSTR buffer, DWORD size) {
    return GetPrivateProfileStringA(section, key, defaultValue, buffer, size, kWinIni);
}

UINT WINAPI GetProfileIntA(LPCSTR section, LPCSTR key, INT defaultValue) {
    // WIN.INI numbers below zero read as zero.
    const std::optional<int> number = profileNumber(section, key, kWinIni);
    return static_cast<UINT>(number ? std::max(*number, 0) : defaultValue);
}

BOOL WINAPI WriteProfileStringA(LPCSTR section, LPCSTR key, LPCSTR value) {
    return WritePrivateProfileStringA(section, key, value, kWinIni);
}
