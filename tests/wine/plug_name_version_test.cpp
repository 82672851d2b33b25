// The name and version both classes report, through every way a host or a
// script reaches them.
#include <gtest/gtest.h>

#include "com_client.h"
#include "ui_driver.h"

namespace kvex::testing {
namespace {

TEST(PlugNameVersion, BothClassesAnswerNameTabVersionThroughEveryBinding) {
    for (const wchar_t* progId : {kFilterMakerProgId, kEditFilterProgId}) {
        for (Binding binding : {Binding::Early, Binding::Late}) {
            SCOPED_TRACE(Narrow(progId) + (binding == Binding::Early ? " early-bound" : " late-bound"));
            const CallResult got = CallPlugNameVersion(progId, binding);
            ASSERT_EQ(got.hr, S_OK);
            EXPECT_EQ(got.text, L"kvexfilt\t1.0.0");
        }
    }
}

}  // namespace
}  // namespace kvex::testing
