#pragma once

#include "x_session.h"

#include <gtest/gtest.h>

#include <memory>

namespace vexlo::test {

// A check in a real X session: skipped when a tool is missing, failed when
// the X server or the window manager would not start.
class XSessionTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        const QString missing = XSession::missingTool();
        if (!missing.isEmpty())
            GTEST_SKIP() << missing.toStdString() << " is not installed";
        session = std::make_unique<XSession>();
        ASSERT_TRUE(session->ready()) << "Xvfb or the window manager did not start";
    }

    // True when SetUp neither skipped nor failed.
    bool started() const { return !IsSkipped() && !HasFatalFailure(); }

    std::unique_ptr<XSession> session;
};

} // namespace vexlo::test
