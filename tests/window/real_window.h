#pragma once

#include "x_session_test.h"

#include <QThread>

namespace vexlo::test {

// Vexlo started in a fresh X session, its main window found.
class RealWindow : public XSessionTest {
protected:
    void SetUp() override
    {
        XSessionTest::SetUp();
        if (!started())
            return;
        // No start-up wizard: these checks look at the main window alone.
        session->writeProgramFile(QStringLiteral("Vexlo.INI"), "[Opt]\nChkStartWiz=0\n");
        ASSERT_TRUE(session->startVexlo());
        window = session->waitForWindow(QStringLiteral("^Vexlo$"));
        ASSERT_FALSE(window.isEmpty()) << "no window captioned Vexlo appeared";
        QThread::msleep(500); // the first paint
    }

    QString window;
};

} // namespace vexlo::test
