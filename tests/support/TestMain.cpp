// Shared main of every test binary: the application object as the program makes it, and a session
// port that only records, installed before any test runs, so nothing can end this machine's session.
#include <gtest/gtest.h>

#include "framework/Application.h"
#include "tests/support/FakeSessionPort.h"

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    zv::TFakeSessionPort guard;
    zv::TApplication app;
    app.Initialize();
    app.SetTitle("Zavrin 4 tests");
    return RUN_ALL_TESTS();
}
