#pragma once

#include "model/workspace.h"
#include "support/pixels.h"
#include "support/test_colours.h"

#include <QImage>
#include <QStringList>

#include <array>

namespace vexlo::test {

// Everything of a session an undo must put back: sheets with their sizes,
// key colours, scroll values, tile buffers and the macro.
struct SessionState {
    std::array<QImage, 2> sheets;
    std::array<QImage, 2> buffers;
    std::array<Colour, 4> keys{};
    std::array<int, 2> scroll{};
    QStringList macro;
};

inline SessionState StateOf(const Workspace &workspace)
{
    SessionState state;
    for (int i = 0; i < 2; ++i) {
        state.sheets[i] = workspace.sheet(i).copy();
        state.buffers[i] = workspace.buffer(i).copy();
        state.keys[i * 2] = workspace.transparentKey(i);
        state.keys[i * 2 + 1] = workspace.translucentKey(i);
        state.scroll[i] = workspace.scrollValue(i);
    }
    state.macro = workspace.macro().lines();
    return state;
}

// Exact equality, naming the first part that differs.
inline ::testing::AssertionResult SameState(const SessionState &actual, const SessionState &expected)
{
    for (int i = 0; i < 2; ++i) {
        if (auto same = SamePixels(actual.sheets[i], expected.sheets[i]); !same)
            return same << " in sheet " << i;
        if (auto same = SamePixels(actual.buffers[i], expected.buffers[i]); !same)
            return same << " in buffer " << i;
        if (actual.scroll[i] != expected.scroll[i])
            return ::testing::AssertionFailure() << "scroll value " << i << " is " << actual.scroll[i];
    }
    if (actual.keys != expected.keys)
        return ::testing::AssertionFailure() << "key colours differ";
    if (actual.macro != expected.macro)
        return ::testing::AssertionFailure() << "macro differs: " << actual.macro.join(u' ').toStdString();
    return ::testing::AssertionSuccess();
}

} // namespace vexlo::test
