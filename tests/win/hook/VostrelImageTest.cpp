// The hook library is loaded into every program that makes a window: what it brings along
// is read from its headers.
#include "support/Files.h"

#include <gtest/gtest.h>

#include <cctype>
#include <set>
#include <string>

namespace orvane {
namespace {

std::string Lower(std::string text) {
    for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

TEST(VostrelImageTest, ImportsFromKernel32AndUser32AloneAndHasNoThreadLocalData) {
    const std::wstring path = test::TestFolder() + L"..\\Orvane\\Vostrel64.dll";
    const HMODULE module = LoadLibraryExW(path.c_str(), nullptr, DONT_RESOLVE_DLL_REFERENCES);
    ASSERT_NE(module, nullptr);
    const auto* base = reinterpret_cast<const BYTE*>(module);
    const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
    ASSERT_EQ(dos->e_magic, IMAGE_DOS_SIGNATURE);
    const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS64*>(base + dos->e_lfanew);
    ASSERT_EQ(nt->Signature, IMAGE_NT_SIGNATURE);
    ASSERT_EQ(nt->OptionalHeader.Magic, IMAGE_NT_OPTIONAL_HDR64_MAGIC);
    const IMAGE_DATA_DIRECTORY* directories = nt->OptionalHeader.DataDirectory;

    std::set<std::string> imported;
    const IMAGE_DATA_DIRECTORY& imports = directories[IMAGE_DIRECTORY_ENTRY_IMPORT];
    if (imports.VirtualAddress) {
        for (auto* entry =
                 reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR*>(base + imports.VirtualAddress);
             entry->Name; ++entry)
            imported.insert(Lower(reinterpret_cast<const char*>(base + entry->Name)));
    }
    EXPECT_EQ(imported, (std::set<std::string>{"kernel32.dll", "user32.dll"}));
    EXPECT_EQ(directories[IMAGE_DIRECTORY_ENTRY_DELAY_IMPORT].VirtualAddress, 0u);
    EXPECT_EQ(directories[IMAGE_DIRECTORY_ENTRY_TLS].VirtualAddress, 0u);
    FreeLibrary(module);
}

} // namespace
} // namespace orvane
