// Undo and recovery in the built program: a dragged tile taken back with
// Ctrl+Z, and a changed sheet back after closing, or a logout's signal, and
// starting again.
#include "model/workspace.h"
#include "real_window.h"
#include "recovery/recovery_files.h"
#include "support/pixels.h"

#include <QDir>
#include <QPainter>

#include <gtest/gtest.h>

namespace vexlo::test {
namespace {

// A left sheet of coloured tiles; column 3 stays black, as the search for
// the client area wants it.
QImage ColouredSheet()
{
    QImage sheet(256, 64, QImage::Format_RGB32);
    sheet.fill(Qt::black);
    QPainter painter(&sheet);
    for (int column : {0, 1, 5, 6})
        for (int row = 0; row < 2; ++row)
            painter.fillRect(column * 32, row * 32, 32, 32, QColor(40 * column, 100 + 60 * row, 200 - 30 * column));
    painter.fillRect(0, 0, 16, 16, Qt::white); // tile (0, 0) is not one colour
    return sheet;
}

class UndoAndRecoveryReal : public XSessionTest {
protected:
    void SetUp() override
    {
        XSessionTest::SetUp();
        if (!started())
            return;
        session->writeProgramFile(QStringLiteral("Vexlo.INI"), "[Opt]\nChkStartWiz=0\n");
    }

    // Starts Vexlo and waits for its question.
    void startToTheQuestion(QString &box)
    {
        ASSERT_TRUE(session->startVexlo());
        box = session->waitForWindow(QStringLiteral("^Vexlo$"));
        ASSERT_FALSE(box.isEmpty()) << "no question came";
        ASSERT_NE(session->geometry(box).width(), 759) << "the main window came before the question";
    }

    // Starts Vexlo, answers its question with Enter (Yes is the default) and
    // finds the main window's client area.
    void startAndRestore()
    {
        QString box;
        ASSERT_NO_FATAL_FAILURE(startToTheQuestion(box));
        bool answered = false;
        for (int attempt = 0; attempt < 20 && !answered; ++attempt) {
            session->run(QStringLiteral("xdotool"), {QStringLiteral("key"), QStringLiteral("Return")});
            QThread::msleep(200);
            const QString shown = session->waitForWindow(QStringLiteral("Vexlo$"), 200); // its title names the panes
            answered = !shown.isEmpty() && session->geometry(shown).width() == 759;
            window = shown;
        }
        ASSERT_TRUE(answered) << "Enter did not answer the question";
        QThread::msleep(500); // the first paint
        client = session->clientOrigin(window);
        ASSERT_FALSE(client.isNull()) << "no black sheet column found";
    }

    // The left sheet on the screen, the pointer resting on its last tile so
    // the locator stands in the same place in every picture.
    QImage leftSheet()
    {
        session->movePointer(client + QPoint(8 + 7 * 32 + 16, 40 + 40));
        session->movePointer(client + QPoint(8 + 7 * 32 + 10, 40 + 48));
        QThread::msleep(300);
        return session->screenshot().copy(QRect(client + QPoint(8, 40), QSize(256, 64)));
    }
    void swapTiles()
    {
        ASSERT_TRUE(session->dragPointer(client + QPoint(8 + 10, 40 + 10), client + QPoint(8 + 5 * 32 + 10, 40 + 40)));
    }

    QString window;
    QPoint client;
};

TEST_F(UndoAndRecoveryReal, CtrlZTakesADragBackAndAChangedSheetIsBackAfterARestart)
{
    SessionSnapshot left;
    left.sheets = {ColouredSheet(), Workspace::blankSheet()};
    const QString recovery = session->dataFolder() + QStringLiteral("/Vexlo/recovery/left-behind");
    ASSERT_NO_THROW(WriteRecovery(recovery, left));

    // A logout's signal during the question, then its close box: the work
    // stays for the next start either way.
    QString box;
    ASSERT_NO_FATAL_FAILURE(startToTheQuestion(box));
    session->terminateVexlo();
    ASSERT_TRUE(session->waitForExit()) << "the signal ends Vexlo";
    EXPECT_TRUE(RecoveryLooksWhole(recovery)) << "the signal deleted the work";
    ASSERT_NO_FATAL_FAILURE(startToTheQuestion(box));
    ASSERT_TRUE(session->closeWindow(box));
    QString main;
    for (int attempt = 0; attempt < 25 && session->geometry(main).width() != 759; ++attempt) {
        QThread::msleep(200);
        main = session->waitForWindow(QStringLiteral("^Vexlo$"), 200);
    }
    ASSERT_EQ(session->geometry(main).width(), 759) << "the main window follows the closed question";
    EXPECT_TRUE(RecoveryLooksWhole(recovery)) << "the close box deleted the work";
    ASSERT_TRUE(session->closeWindow(main));
    ASSERT_TRUE(session->waitForExit());

    ASSERT_NO_FATAL_FAILURE(startAndRestore());
    const QImage restored = leftSheet();
    EXPECT_EQ(restored.pixel(4, 4), qRgb(255, 255, 255)) << "the work came back";

    ASSERT_NO_FATAL_FAILURE(swapTiles());
    EXPECT_FALSE(SamePixels(leftSheet(), restored)) << "the drag swapped two tiles";
    ASSERT_TRUE(session->run(QStringLiteral("xdotool"), {QStringLiteral("key"), QStringLiteral("ctrl+z")}));
    EXPECT_TRUE(SamePixels(leftSheet(), restored)) << "Ctrl+Z took the drag back";

    ASSERT_NO_FATAL_FAILURE(swapTiles());
    const QImage changed = leftSheet();
    ASSERT_TRUE(session->closeWindow(window));
    ASSERT_TRUE(session->waitForExit()) << "closing is never refused";

    ASSERT_NO_FATAL_FAILURE(startAndRestore());
    EXPECT_TRUE(SamePixels(leftSheet(), changed)) << "the changed sheet is back";

    ASSERT_NO_FATAL_FAILURE(swapTiles());
    const QImage changedAgain = leftSheet();
    session->terminateVexlo();
    ASSERT_TRUE(session->waitForExit()) << "a logout closes the window as its close box does";
    ASSERT_NO_FATAL_FAILURE(startAndRestore());
    EXPECT_TRUE(SamePixels(leftSheet(), changedAgain)) << "the work is back after a logout";
}

TEST_F(UndoAndRecoveryReal, ABareClickLeavesNothingToRestore)
{
    ASSERT_TRUE(session->startVexlo());
    window = session->waitForWindow(QStringLiteral("^Vexlo$"));
    ASSERT_EQ(session->geometry(window).width(), 759) << "no question at a first start";
    QThread::msleep(500);
    client = session->clientOrigin(window);
    ASSERT_FALSE(client.isNull());
    ASSERT_TRUE(session->movePointer(client + QPoint(8 + 40, 40 + 10)));
    ASSERT_TRUE(session->run(QStringLiteral("xdotool"), {QStringLiteral("click"), QStringLiteral("1")}));
    QThread::msleep(300);
    ASSERT_TRUE(session->closeWindow(window));
    ASSERT_TRUE(session->waitForExit());
    const QDir recoveries(session->dataFolder() + QStringLiteral("/Vexlo/recovery"));
    EXPECT_TRUE(recoveries.entryList(QDir::Dirs | QDir::NoDotAndDotDot).isEmpty()) << "work kept after a bare click";

    ASSERT_TRUE(session->startVexlo());
    const QString next = session->waitForWindow(QStringLiteral("^Vexlo$"));
    EXPECT_EQ(session->geometry(next).width(), 759) << "the next start asked something";
    ASSERT_TRUE(session->closeWindow(next));
    ASSERT_TRUE(session->waitForExit());
}

} // namespace
} // namespace vexlo::test
