// COM's apartment on a thread, as the program asks for it around a call to the shell: each
// success counted and balanced by CoUninitialize, the other apartment refused meanwhile.
#include <gtest/gtest.h>
#include <thread>
#include <windows.h>
#include <objbase.h>

// A new thread has no COM; a second call for the same apartment is S_FALSE, and after as many
// CoUninitialize as successes the thread may take either apartment again.
TEST(Win32Com, EachSuccessIsBalancedAndTheApartmentHolds) {
    std::thread([] {
        EXPECT_EQ(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE), S_OK);
        EXPECT_EQ(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED), S_FALSE);
        EXPECT_EQ(CoInitializeEx(nullptr, COINIT_MULTITHREADED), RPC_E_CHANGED_MODE);
        CoUninitialize();
        EXPECT_EQ(CoInitializeEx(nullptr, COINIT_MULTITHREADED), RPC_E_CHANGED_MODE);
        CoUninitialize();
        EXPECT_EQ(CoInitializeEx(nullptr, COINIT_MULTITHREADED), S_OK);
        CoUninitialize();
    }).join();
}
