// The Windows-side suite: the test thread in an STA, as a host's is. Started
// with --host-thread it plays a host process instead.
#include <gtest/gtest.h>

#include <cstring>

#include "component.h"

int main(int argc, char** argv) {
    if (argc > 1 && std::strcmp(argv[1], "--host-thread") == 0) return kvex::testing::RunHostThread();
    ::testing::InitGoogleTest(&argc, argv);
    kvex::win32::com_apartment apartment;
    if (FAILED(apartment.status())) return 2;
    return RUN_ALL_TESTS();
}
