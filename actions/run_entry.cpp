#include "actions/profile_text.h"
#include "actions/progress_window.h"
#include "win/codepage.h"
#include "win/process.h"
#include "win/profile.h"

#include <string>

// A file name of this length or more is taken as no name.
#define RUN_NAME_LIMIT 140

// The file name of the program path that starts at TEXT and ends at the first blank or at END:
// what follows the last ":" or "\", or all of it. Empty when it is too long to be a name.
static std::string programFileName(LPCSTR text, LPCSTR end)
{
    LPCSTR stop = text;
    while (stop < end && *stop != ' ')
        stop = CharNextA(stop);
    LPCSTR name = text;
    for (LPCSTR c = stop; c > text;) {
        c = CharPrevA(text, c);
        if (*c == ':' || *c == '\\') {
            name = c + 1;
            break;
        }
    }
    std::string fileName(name, stop);
    if (fileName.size() >= RUN_NAME_LIMIT)
        fileName.clear();
    return fileName;
}

void removeRunEntry(HINSTANCE instance)
{
    // The whole value: a cut one written back would lose other programs' entries.
    std::string run = readWholeProfileString(nullptr, "windows", "run");

    char modulePath[MAX_PATH + 1] = "";
    GetModuleFileNameA(instance, modulePath, sizeof modulePath);
    std::string ownName = programFileName(modulePath, modulePath + lstrlenA(modulePath));
    // An empty name would match every word that ends in a backslash.
    if (ownName.empty())
        return;

    LPCSTR start = run.c_str();
    LPCSTR end = start + run.size();
    LPCSTR word = start;
    while (word < end) {
        std::string name = programFileName(word, end);
        CharUpperA(name.data());
        if (!name.empty() && lstrcmpiA(name.c_str(), ownName.c_str()) == 0)
            break;
        while (word < end && *word != ' ')
            word = CharNextA(word);
        while (word < end && *word == ' ')
            ++word;
    }
    if (word >= end)
        return;

    size_t from = static_cast<size_t>(word - start);
    size_t to = from;
    while (to < run.size() && run[to] != ' ')
        to += IsDBCSLeadByte(static_cast<BYTE>(run[to])) && to + 1 < run.size() ? 2 : 1;
    while (to < run.size() && run[to] == ' ')
        ++to;
    run.erase(from, to - from);
    while (!run.empty() && run.back() == ' ')
        run.pop_back();
    WriteProfileStringA("windows", "run", run.c_str());
}
