#pragma once

#include "x_session.h"

#include <QDeadlineTimer>
#include <QPoint>

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
        session = std::make_unique<XSession>(screen);
        ASSERT_TRUE(session->ready()) << "Xvfb or the window manager did not start";
    }

    // True when SetUp neither skipped nor failed.
    bool started() const { return !IsSkipped() && !HasFatalFailure(); }

    // A click of a mouse button (1 left, 3 right) at a point of the screen.
    bool clickAt(QPoint point, int button = 1)
    {
        return session->run(QStringLiteral("xdotool"),
                            {QStringLiteral("mousemove"), QString::number(point.x()), QString::number(point.y()),
                             QStringLiteral("click"), QString::number(button)});
    }
    // Waits, at most 5 seconds, until no visible window has a matching caption.
    bool windowGone(const QString &captionPattern)
    {
        QDeadlineTimer deadline(5000);
        while (!session->waitForWindow(captionPattern, 100).isEmpty())
            if (deadline.hasExpired())
                return false;
        return true;
    }

    QSize screen{1280, 1024}; // the X server's screen, set before SetUp
    std::unique_ptr<XSession> session;
};

} // namespace vexlo::test
