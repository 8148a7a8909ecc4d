#include "settings/ini_document.h"

#include "common/failure.h"
#include "io/file_read.h"

#include <QFile>
#include <QFileInfo>

namespace vexlo {
namespace {

const QByteArray kUtf8Bom("\xEF\xBB\xBF");

bool SameName(const QByteArray &a, const QByteArray &b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

} // namespace

std::optional<IniDocument> IniDocument::load(const QString &path)
{
    const QFileInfo info(path);
    // Not there, or no file of ours (a FIFO would hold the program in its
    // open for ever): read as empty.
    if (!info.exists() || !info.isFile())
        return IniDocument();
    QFile file;
    try {
        OpenForReading(file, path, SpecialFiles::Refuse);
        const auto bytes = ReadAtMost(file, kMaxFileBytes, path);
        if (!bytes)
            return std::nullopt;
        return parse(*bytes);
    } catch (const Failure &) {
        return std::nullopt;
    }
}

IniDocument IniDocument::parse(const QByteArray &bytes)
{
    IniDocument doc;
    QByteArrayView rest(bytes);
    if (rest.startsWith(kUtf8Bom)) {
        doc.bom_ = kUtf8Bom;
        rest = rest.sliced(kUtf8Bom.size());
    }
    bool endChosen = false;
    while (!rest.isEmpty()) {
        const qsizetype newline = rest.indexOf('\n');
        Line line;
        if (newline < 0) {
            line.text = rest.toByteArray();
            rest = {};
        } else {
            const bool crlf = newline > 0 && rest[newline - 1] == '\r';
            line.text = rest.first(crlf ? newline - 1 : newline).toByteArray();
            line.end = crlf ? QByteArray("\r\n") : QByteArray("\n");
            rest = rest.sliced(newline + 1);
            if (!endChosen) {
                doc.lineEnd_ = line.end; // new lines follow the file's own style
                endChosen = true;
            }
        }
        doc.lines_.append(std::move(line));
    }
    return doc;
}

std::optional<QByteArray> IniDocument::sectionName(const QByteArray &text)
{
    const QByteArray trimmed = text.trimmed();
    if (!trimmed.startsWith('['))
        return std::nullopt;
    const qsizetype close = trimmed.indexOf(']');
    return trimmed.mid(1, close < 0 ? -1 : close - 1).trimmed();
}

std::optional<QByteArray> IniDocument::keyName(const QByteArray &text)
{
    const qsizetype equals = text.indexOf('=');
    if (equals < 0 || text.trimmed().startsWith(';'))
        return std::nullopt;
    return text.left(equals).trimmed();
}

qsizetype IniDocument::findSection(const QByteArray &section) const
{
    for (qsizetype i = 0; i < lines_.size(); ++i) {
        const auto name = sectionName(lines_[i].text);
        if (name && SameName(*name, section))
            return i;
    }
    return -1;
}

qsizetype IniDocument::sectionEnd(qsizetype header) const
{
    qsizetype end = header + 1;
    while (end < lines_.size() && !sectionName(lines_[end].text))
        ++end;
    return end;
}

qsizetype IniDocument::findKey(qsizetype header, const QByteArray &key) const
{
    const qsizetype end = sectionEnd(header);
    for (qsizetype i = header + 1; i < end; ++i) {
        const auto name = keyName(lines_[i].text);
        if (name && SameName(*name, key))
            return i;
    }
    return -1;
}

std::optional<QString> IniDocument::value(const QString &section, const QString &key) const
{
    const qsizetype header = findSection(section.toUtf8());
    if (header < 0)
        return std::nullopt;
    const qsizetype line = findKey(header, key.toUtf8());
    if (line < 0)
        return std::nullopt;
    const QByteArray &text = lines_[line].text;
    return QString::fromUtf8(text.mid(text.indexOf('=') + 1).trimmed());
}

void IniDocument::insertLine(qsizetype index, const QByteArray &text)
{
    // The line before an inserted one must end, or the two would run together.
    if (index > 0 && lines_[index - 1].end.isEmpty())
        lines_[index - 1].end = lineEnd_;
    lines_.insert(index, Line{text, lineEnd_});
}

void IniDocument::setValue(const QString &section, const QString &key, const QString &value)
{
    const QByteArray keyBytes = key.toUtf8();
    const QByteArray newLine = keyBytes + '=' + value.toUtf8();
    qsizetype header = findSection(section.toUtf8());
    if (header < 0) {
        insertLine(lines_.size(), '[' + section.toUtf8() + ']');
        insertLine(lines_.size(), newLine);
        return;
    }
    const qsizetype line = findKey(header, keyBytes);
    if (line >= 0) {
        lines_[line].text = newLine;
        return;
    }
    // After the section's last non-blank line, so blank separators stay below it.
    qsizetype at = sectionEnd(header);
    while (at > header + 1 && lines_[at - 1].text.trimmed().isEmpty())
        --at;
    insertLine(at, newLine);
}

QByteArray IniDocument::bytes() const
{
    QByteArray out = bom_;
    for (const Line &line : lines_)
        out += line.text + line.end;
    return out;
}

} // namespace vexlo
