#pragma once

#include "load/frm_load_image.h"
#include "model/workspace.h"
#include "support/picture_bytes.h"
#include "support/modal.h"
#include "support/scripted_prompt.h"
#include "support/temp_folder.h"

#include <QImage>
#include <QString>

#include <gtest/gtest.h>

#include <functional>

namespace vexlo::test {

// A load dialog over a workspace, showing a temporary folder, with a
// scripted prompt for its boxes.
class LoadDialogTest : public ::testing::Test {
protected:
    LoadDialogTest();

    // Writes a picture file into the folder: a bitmap unless the name says
    // .gif, .ico, .cur or .png.
    void writePicture(const QString &name, const QImage &picture);
    // Selects the file in the file list, as a click on it does.
    void choose(const QString &name);
    // Chooses a file and picks both key colours on the preview.
    void chooseReadySheet(const QString &name, QPoint transparentAt, QPoint translucentAt);

    // Runs LoadImage for the pane (with a file given, if any); `action` is
    // what the user does in the dialog and must end it. Returns LoadImage's result.
    std::int16_t use(std::int16_t pane, const std::function<void()> &action, const QString &file = {});

    ScopedScriptedPrompt prompt;
    TempFolder folder;
    Workspace workspace;
    FrmLoadImage dialog{workspace};
};

} // namespace vexlo::test
