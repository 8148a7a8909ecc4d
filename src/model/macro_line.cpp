#include "model/macro_line.h"

#include "common/failure.h"
#include "common/lenient_number.h"

#include <QVarLengthArray>

#include <initializer_list>

namespace vexlo {
namespace {

QString Joined(const char *keyword, std::initializer_list<std::int32_t> fields)
{
    QString line = QLatin1String(keyword);
    for (const std::int32_t field : fields)
        line += u',' + QString::number(field);
    return line;
}

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
    bool flag(qsizetype index) const { return LenientNumber(at(index)) != 0; }

private:
    static constexpr qsizetype kKeptFields = 6; // "Put" and its five numbers
    QVarLengthArray<QStringView, kKeptFields> fields_;
};

} // namespace

QString MacroLine::format() const
{
    switch (kind) {
    case Kind::GetTile:
        return Joined("Get", {pane, buffer, column, row});
    case Kind::PutTile:
        return Joined("Put", {pane, buffer, column, row, replace ? -1 : 0});
    case Kind::ClearChip:
        break;
    }
    return Joined("Cls", {buffer});
}

std::optional<MacroLine> MacroLine::parse(const QString &line)
{
    const Fields fields(line);
    const QString keyword = fields.at(0).toString().toUpper();
    MacroLine parsed;
    if (keyword == u"GET" || keyword == u"PUT") {
        parsed.kind = keyword == u"GET" ? Kind::GetTile : Kind::PutTile;
        parsed.pane = fields.int16(1);
        parsed.buffer = fields.int16(2);
        parsed.column = fields.int32(3);
        parsed.row = fields.int32(4);
        if (parsed.kind == Kind::PutTile)
            parsed.replace = fields.flag(5);
        return parsed;
    }
    if (keyword == u"CLS") {
        parsed.kind = Kind::ClearChip;
        parsed.buffer = fields.int16(1);
        return parsed;
    }
    return std::nullopt;
}

} // namespace vexlo
