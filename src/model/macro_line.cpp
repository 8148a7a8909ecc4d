#include "model/macro_line.h"

#include "common/failure.h"
#include "common/lenient_number.h"

#include <QVarLengthArray>

#include <algorithm>
#include <array>
#include <initializer_list>
#include <limits>

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

// The keyword is upper-cased before it is compared. Recorded keywords are
// ASCII, which is compared letter by letter without a new string; anything
// else takes the full Unicode rules, by which other letters may become these.
bool IsKeyword(QStringView keyword, QLatin1StringView upper)
{
    const bool ascii = std::all_of(keyword.begin(), keyword.end(), [](QChar c) { return c.unicode() < 0x80; });
    if (!ascii)
        return keyword.toString().toUpper() == upper;
    return keyword.compare(upper, Qt::CaseInsensitive) == 0;
}

// A line as the recorder writes it, read in one pass: a keyword of ASCII
// letters and exactly its numbers, each an optional minus and at most nine
// digits, fitting its field. Anything else is left to the general reading,
// which reads these to the same.
std::optional<MacroLine> ParsedAsRecorded(QStringView line)
{
    if (line.size() < 4 || line[3] != u',')
        return std::nullopt;
    // Only 'A'-'Z' and 'a'-'z' become these lower-case letters with bit 5 set.
    const auto is = [&](const char *keyword) {
        for (int i = 0; i < 3; ++i)
            if ((line[i].unicode() | 0x20) != keyword[i])
                return false;
        return true;
    };
    MacroLine parsed;
    int count = 1;
    if (is("get")) {
        parsed.kind = MacroLine::Kind::GetTile;
        count = 4;
    } else if (is("put")) {
        parsed.kind = MacroLine::Kind::PutTile;
        count = 5;
    } else if (!is("cls")) {
        return std::nullopt;
    }
    constexpr qsizetype kMostDigits = 9; // any such number fits 32 bits
    std::array<std::int32_t, 5> numbers{};
    qsizetype at = 3;
    for (int field = 0; field < count; ++field) {
        if (at == line.size() || line[at] != u',')
            return std::nullopt;
        const bool negative = ++at < line.size() && line[at] == u'-';
        at += negative;
        const qsizetype start = at;
        std::int32_t number = 0;
        for (; at < line.size() && at - start < kMostDigits && line[at] >= u'0' && line[at] <= u'9'; ++at)
            number = number * 10 + (line[at].unicode() - u'0');
        if (at == start)
            return std::nullopt;
        numbers[field] = negative ? -number : number;
    }
    if (at != line.size())
        return std::nullopt;
    const auto fitsInt16 = [](std::int32_t number) {
        return number >= std::numeric_limits<std::int16_t>::min() && number <= std::numeric_limits<std::int16_t>::max();
    };
    if (parsed.kind == MacroLine::Kind::ClearChip) {
        if (!fitsInt16(numbers[0]))
            return std::nullopt;
        parsed.buffer = std::int16_t(numbers[0]);
        return parsed;
    }
    if (!fitsInt16(numbers[0]) || !fitsInt16(numbers[1]))
        return std::nullopt;
    parsed.pane = numbers[0];
    parsed.buffer = std::int16_t(numbers[1]);
    parsed.column = numbers[2];
    parsed.row = numbers[3];
    parsed.replace = parsed.kind == MacroLine::Kind::PutTile && numbers[4] != 0;
    return parsed;
}

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
    if (std::optional<MacroLine> recorded = ParsedAsRecorded(line))
        return recorded;
    const Fields fields(line);
    const QStringView keyword = fields.at(0);
    MacroLine parsed;
    const bool get = IsKeyword(keyword, QLatin1StringView("GET"));
    if (get || IsKeyword(keyword, QLatin1StringView("PUT"))) {
        parsed.kind = get ? Kind::GetTile : Kind::PutTile;
        parsed.pane = fields.int16(1);
        parsed.buffer = fields.int16(2);
        parsed.column = fields.int32(3);
        parsed.row = fields.int32(4);
        if (parsed.kind == Kind::PutTile)
            parsed.replace = fields.flag(5);
        return parsed;
    }
    if (IsKeyword(keyword, QLatin1StringView("CLS"))) {
        parsed.kind = Kind::ClearChip;
        parsed.buffer = fields.int16(1);
        return parsed;
    }
    return std::nullopt;
}

} // namespace vexlo
