#include "platform/ui/Application.h"
#include "resources/Texts.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// The share of the tests to run comes from the environment (ctest's entries); copies of this
// program that a test starts run the tests they are asked for, whole.
class ShareOfTheseRunsOnly final : public testing::EmptyTestEventListener {
    void OnTestProgramStart(const testing::UnitTest&) override {
        SetEnvironmentVariableW(L"GTEST_TOTAL_SHARDS", nullptr);
        SetEnvironmentVariableW(L"GTEST_SHARD_INDEX", nullptr);
    }
};

} // namespace

// Windows test programs share one application object, as the program does.
int wmain(int argc, wchar_t** argv) {
    std::vector<std::string> arguments;
    for (int i = 0; i < argc; ++i) {
        const int size = WideCharToMultiByte(CP_UTF8, 0, argv[i], -1, nullptr, 0, nullptr, nullptr);
        std::string argument(static_cast<size_t>(size > 0 ? size - 1 : 0), '\0');
        WideCharToMultiByte(CP_UTF8, 0, argv[i], -1, argument.data(), size, nullptr, nullptr);
        arguments.push_back(std::move(argument));
    }
    std::vector<char*> pointers;
    for (auto& argument : arguments) pointers.push_back(argument.data());
    int count = static_cast<int>(pointers.size());
    testing::InitGoogleTest(&count, pointers.data());
    testing::UnitTest::GetInstance()->listeners().Append(new ShareOfTheseRunsOnly);
    orvane::ui::Application application;
    application.SetTitle(orvane::texts::AppTitle);
    return RUN_ALL_TESTS();
}
