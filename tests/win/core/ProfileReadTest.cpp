#include "core/DozedeR64Form.h"
#include "core/Profile.h"
#include "support/Files.h"
#include "support/StandIns.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

namespace orvane {
namespace {

// The system's own answers, to hold the program's reading against.
std::wstring SystemString(const std::wstring& path, const wchar_t* section, const wchar_t* key,
                          const wchar_t* fallback = L"(default)") {
    std::wstring buffer(4096, L'\0');
    const DWORD length = GetPrivateProfileStringW(section, key, fallback, buffer.data(),
                                                  static_cast<DWORD>(buffer.size()), path.c_str());
    buffer.resize(length);
    return buffer;
}

std::vector<std::wstring> SystemKeys(const std::wstring& path, const wchar_t* section) {
    const std::wstring list = SystemString(path, section, nullptr, L"");
    std::vector<std::wstring> keys;
    for (size_t start = 0; start < list.size();) {
        const size_t end = std::min(list.find(L'\0', start), list.size());
        if (end > start) keys.push_back(list.substr(start, end - start));
        start = end + 1;
    }
    return keys;
}

struct FileCase {
    const char* name;
    std::string bytes; // the file as stored
};

std::string Utf16(const std::wstring& text) {
    std::string bytes = "\xFF\xFE";
    for (wchar_t c : text) {
        bytes += static_cast<char>(c & 0xFF);
        bytes += static_cast<char>(c >> 8);
    }
    return bytes;
}

class ProfileReadTest : public testing::TestWithParam<FileCase> {
protected:
    void SetUp() override { DeleteFileW(path.c_str()); }
    void TearDown() override { DeleteFileW(path.c_str()); }
    const std::wstring path = test::DataFolder() + L"ProfileReadTest.ini";
};

TEST_P(ProfileReadTest, AnswersAsTheSystemsProfileFunctions) {
    test::WriteBytes(path, GetParam().bytes);
    const IniFile ini(path);
    for (const wchar_t* section : {L"Sec", L"sec", L"SEC ", L" Other", L"Quotes", L"Missing",
                                   L"Twice", L"Spaces", L"[Odd"}) {
        for (const wchar_t* key :
             {L"a", L"A", L"b", L"c", L"d", L"key", L"dup", L"q1", L"q2", L"q3", L"q4", L"q5",
              L"q6", L"empty", L"bare", L";note", L"x", L"wide", L"nul"}) {
            EXPECT_EQ(ini.ReadString(section, key, L"(default)"), SystemString(path, section, key))
                << "[" << testing::PrintToString(std::wstring(section)) << "] "
                << testing::PrintToString(std::wstring(key));
        }
        EXPECT_EQ(ini.ReadKeys(section), SystemKeys(path, section))
            << testing::PrintToString(std::wstring(section));
    }
}

const std::wstring Body = L"a=before any section\r\n"
                          L"[Sec]\r\n"
                          L"a=1\r\n"
                          L"  B  =  two words  \r\n"
                          L"c=\t tabbed\t\r\n"
                          L"dup=first\r\n"
                          L"DUP=second\r\n"
                          L"bare\r\n"
                          L";note=commented\r\n"
                          L"empty=\r\n"
                          L"=no name\r\n"
                          L"wide=音量\u3000\r\n"
                          L"[sec]\r\n"
                          L"d=in the second section of the same name\r\n"
                          L"[Quotes]\r\n"
                          L"q1=\"quoted\"\r\n"
                          L"q2='single'\r\n"
                          L"q3=\"open\r\n"
                          L"q4=\"\r\n"
                          L"q5=\"mixed'\r\n"
                          L"q6= \"  padded  \" \r\n"
                          L"[ Other]\r\n"
                          L"x=other\n"
                          L"[Spaces]   trailing text\r"
                          L"key=cr only\r"
                          L"[Odd\r\n"
                          L"x=after a broken header\r\n";

INSTANTIATE_TEST_SUITE_P(
    Files, ProfileReadTest,
    testing::Values(FileCase{"Utf16", Utf16(Body)},
                    FileCase{"Utf8", "\xEF\xBB\xBF[Sec]\r\na=\xE9\x9F\xB3\xE9\x87\x8F\r\nb= 2\r\n"},
                    FileCase{"Ansi", "[Sec]\r\na=plain\r\nb=\x89\xb9\x97\xca\r\n[Twice]\r\nc=3\r\n"
                                     "[TWICE]\r\nd=4\r\n"},
                    FileCase{"Nul", Utf16(std::wstring(L"[Sec]\r\nnul=ab\0cd\r\na=1\r\n", 24))},
                    FileCase{"Empty", ""}),
    [](const auto& info) { return info.param.name; });

// Every item read from a damaged file of 7,000 of them; once read as often as there are
// items, now once. A file of 50,000 is larger than any sound one and gives none.
TEST(KestrinStartTest, SevenThousandItemsAreReadInUnderTwoSecondsAndFiftyThousandNotAtAll) {
    for (const int Items : {7000, 50000}) {
        const test::CleanDataFolder clean;
        test::DialogRecorder dialogs;
        std::wstring text =
            L"[ItemCount]\r\nValue=2147483647\r\n[KestrinBeforeStart]\r\nValue=0\r\n";
        for (const wchar_t* section : {L"ItemFileName", L"ItemBeforeStartText", L"ItemBit"}) {
            text += L"[" + std::wstring(section) + L"]\r\n";
            for (int i = 0; i < Items; ++i) {
                const std::wstring n = std::to_wstring(i);
                text += n + L"=" +
                        (std::wcscmp(section, L"ItemBit") == 0 ? L"64"
                                                               : L"C:\\Apps\\app" + n + L".exe") +
                        L"\r\n";
            }
        }
        ASSERT_EQ(2 + 2 * text.size() <= MaxProfileFileSize, Items == 7000);
        test::WriteUtf16File(test::DataFolder() + L"Kestrin.ini", text);
        const auto started = std::chrono::steady_clock::now();
        TDozedeR64Form form;
        const auto took = std::chrono::steady_clock::now() - started;
        EXPECT_LT(took, std::chrono::seconds(2));
        std::printf("%d items read in %lld ms\n", Items,
                    static_cast<long long>(
                        std::chrono::duration_cast<std::chrono::milliseconds>(took).count()));
        if (Items != 7000) {
            EXPECT_EQ(form.KestrinItemCount, 0);
            continue;
        }
        ASSERT_EQ(form.KestrinItemCount, Items);
        EXPECT_EQ(form.KestrinItem[6999].FileName, L"C:\\Apps\\app6999.exe");
        EXPECT_EQ(form.KestrinItem[6999].BeforeStartText, L"C:\\Apps\\app6999.exe");
        EXPECT_EQ(form.KestrinItem[123].Bit, 64);
    }
}

} // namespace
} // namespace orvane
