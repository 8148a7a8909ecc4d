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
        ASSERT_NO_FATAL_FAILURE(prepareProgramFolder());
        ASSERT_TRUE(session->startVexlo());
        window = session->waitForWindow(QStringLiteral("^Vexlo$"));
        ASSERT_FALSE(window.isEmpty()) << "no window captioned Vexlo appeared";
        QThread::msleep(500); // the first paint
    }

    // The files the program finds in its folder at the start.
    virtual void prepareProgramFolder()
    {
        // No start-up wizard: these checks begin at the main window.
        session->writeProgramFile(QStringLiteral("Vexlo.INI"), "[Opt]\nChkStartWiz=0\n");
    }

    // Opens the image menu of a pane with its arrow button (the main window's
    // client area at `client` on the screen) and chooses Load; the id of the
    // load dialog with the caption, empty when none came.
    QString openLoadDialog(QPoint client, int pane, const QString &caption)
    {
        if (!clickAt(client + QPoint(pane * 312 + 20, 19)))
            return {};
        QThread::msleep(300);
        session->run(QStringLiteral("xdotool"), {QStringLiteral("key"), QStringLiteral("l")}); // the menu's "&Load"
        return session->waitForWindow(caption);
    }

    QString window;
};

} // namespace vexlo::test
