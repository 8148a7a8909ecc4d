#pragma once

#include "x_session.h"

#include <QThread>

#include <gtest/gtest.h>

#include <memory>

namespace vexlo::test {

// A fresh X session with Vexlo started in it, its main window found.
class RealWindow : public ::testing::Test {
protected:
    void SetUp() override
    {
        const QString missing = XSession::missingTool();
        if (!missing.isEmpty())
            GTEST_SKIP() << missing.toStdString() << " is not installed";
        session = std::make_unique<XSession>();
        ASSERT_TRUE(session->ready()) << "Xvfb or the window manager did not start";
        // No start-up wizard: these checks look at the main window alone.
        session->writeProgramFile(QStringLiteral("Vexlo.INI"), "[Opt]\nChkStartWiz=0\n");
        ASSERT_TRUE(session->startVexlo());
        window = session->waitForWindow(QStringLiteral("^Vexlo$"));
        ASSERT_FALSE(window.isEmpty()) << "no window captioned Vexlo appeared";
        QThread::msleep(500); // the first paint
    }

    std::unique_ptr<XSession> session;
    QString window;
};

} // namespace vexlo::test
