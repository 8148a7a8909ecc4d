#pragma once

#include "app/frm_main.h"
#include "model/workspace.h"
#include "support/form_input.h"
#include "support/pixels.h"
#include "support/scripted_prompt.h"
#include "support/temp_folder.h"

#include <QTest>

#include <gtest/gtest.h>

namespace vexlo::test {

// The main window on screen in a program folder of its own, wizard off,
// with a 128-pixel sheet on the left and a 1024-pixel one on the right.
class ShownMainWindow : public ::testing::Test {
protected:
    void SetUp() override
    {
        folder.write(QStringLiteral("Vexlo.INI"), "[Opt]\nChkStartWiz=0\n");
        window.Form_Load();
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
        workspace.setSheet(0, PatternSheet(1, 128));
        workspace.setSheet(1, PatternSheet(2, 1024));
    }

    // Chooses the pane for the image commands with its arrow button and
    // closes the image menu that opens, so a test can call a command's handler.
    void chooseImagePane(std::int16_t pane)
    {
        window.BtnImageOps_Click(pane);
        ClosePopup();
    }
    void undo() { MenuCommand(window, QStringLiteral("&Edit"), QStringLiteral("&Undo"))->trigger(); }
    void redo() { MenuCommand(window, QStringLiteral("&Edit"), QStringLiteral("&Redo"))->trigger(); }

    ScopedScriptedPrompt prompt;
    TempFolder folder;
    Workspace workspace;
    FrmMain window{workspace, folder.path()};
};

} // namespace vexlo::test
