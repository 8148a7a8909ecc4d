#include "app/start_arguments.h"

#include <gtest/gtest.h>

namespace vexlo {
namespace {

using Action = StartArguments::Action;

TEST(StartArguments, FilesHelpVersionQtOptionsAndMistakes)
{
    const struct {
        QStringList arguments;
        Action action;
        QStringList files;
        const char *problem;
    } cases[] = {
        {{}, Action::Start, {}, ""},
        {{"walls.png"}, Action::Start, {"walls.png"}, ""},
        {{"a b é.bmp", "floors.bmp"}, Action::Start, {"a b é.bmp", "floors.bmp"}, ""},
        {{"-platform", "xcb", "a.bmp", "-style=Fusion", "-reverse"}, Action::Start, {"a.bmp"}, ""},
        {{"--", "-odd.bmp", "--help"}, Action::Start, {"-odd.bmp", "--help"}, ""},
        {{"-"}, Action::Start, {"-"}, ""},
        {{"a.bmp", "--help"}, Action::Help, {}, ""},
        {{"-h"}, Action::Help, {}, ""},
        {{"--version", "--bogus"}, Action::Version, {}, ""},
        {{"--bogus", "--version"}, Action::Wrong, {}, "unknown option: --bogus"},
        {{"-x"}, Action::Wrong, {}, "unknown option: -x"},
        {{"-display"}, Action::Wrong, {}, "-display needs a value"},
        {{"a.bmp", "b.bmp", "c.bmp", "d.bmp"}, Action::Start, {"a.bmp", "b.bmp"}, "one file for each pane: not opened: c.bmp, d.bmp"},
        {{""}, Action::Wrong, {}, "a file needs a name, not an empty text"},
    };
    for (const auto &c : cases) {
        const StartArguments read = ReadStartArguments(c.arguments);
        const std::string given = c.arguments.join(u' ').toStdString();
        EXPECT_EQ(read.action, c.action) << given;
        EXPECT_EQ(read.files, c.files) << given;
        EXPECT_EQ(read.problem, QString::fromUtf8(c.problem)) << given;
    }
}

} // namespace
} // namespace vexlo
