// A drag sequence recorded in the window and the same macro replayed by
// vexlo-play on the same sheet files give the same pixels.
#include "app/frm_main.h"
#include "app/sheet_surface.h"
#include "io/sheet_writer.h"
#include "io/sheet_file.h"
#include "io/macro_file.h"
#include "model/workspace.h"
#include "play_support.h"
#include "support/scripted_prompt.h"
#include "support/test_colours.h"

#include <gtest/gtest.h>

namespace vexlo {
namespace {

TEST(WindowAndBatch, TheBatchReplayEqualsTheWindowPixelForPixel)
{
    test::ScopedScriptedPrompt prompt;
    test::TempFolder folder;
    folder.write(QStringLiteral("Vexlo.INI"), "[Opt]\nChkStartWiz=0\nChkRepTransL=1\n");

    // Two sheets with each other's key colours sprinkled in, saved as files.
    QImage left = test::PatternSheet(1, 256);
    QImage right = test::PatternSheet(2, 192);
    for (int y = 0; y < 256; ++y)
        for (int x = (y * 3) % 7; x < 256; x += 7) {
            left.setPixel(x, y, (x + y) % 2 ? qRgb(255, 0, 255) : qRgb(64, 64, 64));
            if (y < right.height())
                right.setPixel(x, y, (x + y) % 2 ? qRgb(0, 255, 255) : qRgb(0, 0, 0));
        }
    WriteSheetFile(left, folder.file(QStringLiteral("left.bmp")));
    WriteSheetFile(right, folder.file(QStringLiteral("right.bmp")));

    Workspace workspace;
    FrmMain window(workspace, folder.path());
    window.Form_Load();
    for (int pane = 0; pane < 2; ++pane)
        workspace.setSheet(pane, LoadSheetFile(folder.file(pane ? QStringLiteral("right.bmp")
                                                                : QStringLiteral("left.bmp")))
                                     .sheet);
    workspace.setKeyColours(0, Colour(255, 0, 255), Colour(64, 64, 64));
    workspace.setKeyColours(1, Colour(0, 255, 255), kBlack);

    // Copies both ways, a swap on each sheet, and a click without moving.
    window.mrecord_Click();
    const struct {
        int from, x, y, to, dropX, dropY;
    } drags[] = {{0, 40, 10, 1, 200, 70}, {1, 100, 150, 0, 5, 250}, {0, 70, 40, 0, 250, 100},
                 {1, 10, 10, 1, 130, 170}, {0, 33, 200, 1, 64, 96}, {1, 255, 191, 1, 255, 191}};
    for (const auto &drag : drags) {
        window.TileSet_MouseDown(std::int16_t(drag.from), 1, 0, float(drag.x), float(drag.y));
        window.TileSet_DragDrop(std::int16_t(drag.to), window.controls().TileSet[drag.from], float(drag.dropX),
                                float(drag.dropY));
    }
    window.mrecord_Click();
    WriteMacroFile(folder.file(QStringLiteral("drags.vmi")), workspace.macro().lines());
    ASSERT_EQ(workspace.macro().count(), 3 + 3 + 6 + 6 + 3 + 6);

    const test::PlayRun run = test::RunVexloPlay(
        {QStringLiteral("drags.vmi"), QStringLiteral("--left"), QStringLiteral("left.bmp"), QStringLiteral("--right"),
         QStringLiteral("right.bmp"), QStringLiteral("--left-keys"), QStringLiteral("#FF00FF,#404040"),
         QStringLiteral("--right-keys"), QStringLiteral("#00FFFF,#000000"), QStringLiteral("--replace-translucent"),
         QStringLiteral("on"), QStringLiteral("--out-left"), QStringLiteral("left-out.bmp"),
         QStringLiteral("--out-right"), QStringLiteral("right-out.bmp")},
        folder.path());
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_TRUE(test::SamePixels(LoadSheetFile(folder.file(QStringLiteral("left-out.bmp"))).sheet, workspace.sheet(0)));
    EXPECT_TRUE(test::SamePixels(LoadSheetFile(folder.file(QStringLiteral("right-out.bmp"))).sheet, workspace.sheet(1)));
    EXPECT_FALSE(test::SamePixels(workspace.sheet(1), LoadSheetFile(folder.file(QStringLiteral("right.bmp"))).sheet))
        << "the drags changed the right sheet";
}

} // namespace
} // namespace vexlo
