#include "macro/macro_player.h"

#include "common/failure.h"
#include "common/lenient_number.h"
#include "model/step_transaction.h"
#include "model/tile_engine.h"
#include "model/workspace.h"

#include <QStringList>
#include <QVarLengthArray>

namespace vexlo {
namespace {

// The pieces of a line between commas, exactly as typed: no trimming, empty
// pieces kept, and no pieces at all for an empty line.
class Fields {
public:
    explicit Fields(const QString &line)
    {
        if (line.isEmpty())
            return;
        // One pass over the line; fields past the longest line a keyword
        // needs are never read, so they are not kept.
        qsizetype start = 0;
        for (qsizetype i = 0; i <= line.size() && fields_.size() < kKeptFields; ++i) {
            if (i == line.size() || line[i] == u',') {
                fields_.append(QStringView(line).sliced(start, i - start));
                start = i + 1;
            }
        }
    }

    QStringView at(qsizetype index) const
    {
        if (index >= fields_.size())
            throw Failure::subscriptOutOfRange();
        return fields_.at(index);
    }
    std::int16_t int16(qsizetype index) const { return ToInt16(LenientNumber(at(index))); }
    std::int32_t int32(qsizetype index) const { return ToInt32(LenientNumber(at(index))); }
    std::int16_t flag(qsizetype index) const { return LenientNumber(at(index)) != 0 ? -1 : 0; }

private:
    static constexpr qsizetype kKeptFields = 6; // "Put" and its five numbers
    QVarLengthArray<QStringView, kKeptFields> fields_;
};

} // namespace

void PlayMacroLine(Workspace &workspace, const QString &line)
{
    const Fields fields(line);
    const QString keyword = fields.at(0).toString().toUpper();
    // Every field a line needs is read before its call, so a short line does nothing.
    if (keyword == u"GET") {
        const auto pane = fields.int16(1);
        const auto buffer = fields.int16(2);
        const auto column = fields.int32(3);
        const auto row = fields.int32(4);
        GetTile(workspace, pane, buffer, column, row);
    } else if (keyword == u"PUT") {
        const auto pane = fields.int16(1);
        const auto buffer = fields.int16(2);
        const auto column = fields.int32(3);
        const auto row = fields.int32(4);
        const auto replace = fields.flag(5);
        PutTile(workspace, pane, buffer, column, row, replace);
    } else if (keyword == u"CLS") {
        ClearChip(workspace, fields.int16(1));
    }
}

PlayResult PlayMacroLines(Workspace &workspace)
{
    if (workspace.recording())
        return {PlayResult::Outcome::RecordingOn, QStringLiteral("Stop macro recording first."), -1};
    const QStringList &lines = workspace.macro().lines();
    if (lines.isEmpty())
        return {PlayResult::Outcome::EmptyMacro, QStringLiteral("No macro to play."), -1};
    const qsizetype last = lines.size() - 1;
    for (qsizetype index = 0; index <= last; ++index) {
        try {
            PlayMacroLine(workspace, lines.at(index));
        } catch (const Failure &failure) {
            return {PlayResult::Outcome::Halted, failure.description(), index};
        }
    }
    return {};
}

PlayResult PlayMacro(Workspace &workspace)
{
    StepTransaction step(workspace, QStringLiteral("Play macro"));
    PlayResult result = PlayMacroLines(workspace);
    step.commit();
    return result;
}

} // namespace vexlo
