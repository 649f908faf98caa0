#include "import_table.h"

#include <cstring>
#include <map>
#include <string>
#include <utility>

namespace tarvex::window_tests {

namespace {

using LookUp = FARPROC(WINAPI *)(HMODULE, LPCSTR);
LookUp windowsLookUp = nullptr;
std::map<std::string, LookUpAnswer, std::less<>> answers;

FARPROC WINAPI answeredLookUp(HMODULE library, LPCSTR name)
{
    const FARPROC found = windowsLookUp(library, name);
    if (IS_INTRESOURCE(name)) // an ordinal, not a name
        return found;
    const auto answer = answers.find(std::string_view(name));
    return answer == answers.end() ? found : answer->second(found);
}

} // namespace

void *replaceImport(const char *dll, const char *function, void *replacement)
{
    auto *base = reinterpret_cast<BYTE *>(GetModuleHandleW(nullptr));
    const auto *dos = reinterpret_cast<const IMAGE_DOS_HEADER *>(base);
    const auto *nt = reinterpret_cast<const IMAGE_NT_HEADERS *>(base + dos->e_lfanew);
    const IMAGE_DATA_DIRECTORY imports =
        nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    for (auto *entry = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR *>(base + imports.VirtualAddress);
         entry->Name != 0; ++entry) {
        if (lstrcmpiA(reinterpret_cast<const char *>(base + entry->Name), dll) != 0)
            continue;
        auto *name = reinterpret_cast<IMAGE_THUNK_DATA *>(base + entry->OriginalFirstThunk);
        auto *address = reinterpret_cast<IMAGE_THUNK_DATA *>(base + entry->FirstThunk);
        for (; name->u1.AddressOfData != 0; ++name, ++address) {
            if (IMAGE_SNAP_BY_ORDINAL(name->u1.Ordinal))
                continue;
            const auto *byName =
                reinterpret_cast<const IMAGE_IMPORT_BY_NAME *>(base + name->u1.AddressOfData);
            if (std::strcmp(reinterpret_cast<const char *>(byName->Name), function) != 0)
                continue;
            DWORD protection = 0;
            VirtualProtect(&address->u1.Function, sizeof address->u1.Function, PAGE_READWRITE,
                           &protection);
            void *previous = reinterpret_cast<void *>(address->u1.Function);
            address->u1.Function = reinterpret_cast<ULONG_PTR>(replacement);
            VirtualProtect(&address->u1.Function, sizeof address->u1.Function, protection,
                           &protection);
            return previous;
        }
    }
    return nullptr;
}

void answerLookUps(std::string_view function, LookUpAnswer answer)
{
    if (answer)
        answers.insert_or_assign(std::string(function), std::move(answer));
    else if (const auto answered = answers.find(function); answered != answers.end())
        answers.erase(answered);
}

bool answerLookUpsFromNowOn()
{
    windowsLookUp = reinterpret_cast<LookUp>(
        replaceImport("kernel32.dll", "GetProcAddress", reinterpret_cast<void *>(answeredLookUp)));
    return windowsLookUp != nullptr;
}

} // namespace tarvex::window_tests
