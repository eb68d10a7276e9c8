// Entry point of every Windows-side test program: a watchdog thread ends the process with a
// message naming the test that hung, so no test can keep CI waiting.
#include <windows.h>

#include <gtest/gtest.h>

#include "tests/windows/dialog_driver.h"

#include <cstdio>
#include <cstdlib>

namespace {

char runningTest[256] = "(before the first test)";

class TestNameListener : public ::testing::EmptyTestEventListener {
    void OnTestStart(const ::testing::TestInfo& info) override {
        _snprintf(runningTest, sizeof runningTest - 1, "%s.%s", info.test_suite_name(),
                  info.name());
    }
};

DWORD WINAPI Watchdog(LPVOID seconds) {
    Sleep(static_cast<DWORD>(reinterpret_cast<UINT_PTR>(seconds)) * 1000);
    std::fprintf(stderr, "watchdog: %s did not finish in time\n", runningTest);
    std::fflush(stderr);
    TerminateProcess(GetCurrentProcess(), 3);
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::UnitTest::GetInstance()->listeners().Append(new TestNameListener);
    const char* limit = std::getenv("KIVO_TEST_WATCHDOG");
    const UINT_PTR seconds = limit != nullptr ? std::strtoul(limit, nullptr, 10) : Scaled(90);
    CreateThread(nullptr, 0, Watchdog, reinterpret_cast<LPVOID>(seconds), 0, nullptr);
    return RUN_ALL_TESTS();
}
