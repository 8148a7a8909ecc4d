#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include <optional>

namespace vexlo {

// An INI file held as its raw lines, each with its own line end, so that an
// edit touches only the line it means to.
class IniDocument {
public:
    // Settings files are small; anything larger is not ours to rewrite.
    static constexpr qint64 kMaxFileBytes = 16 * 1024 * 1024;

    // Empty document for a missing file or one that is not a regular file;
    // nothing for a file that exists but cannot be read or is too large.
    [[nodiscard]] static std::optional<IniDocument> load(const QString &path);
    static IniDocument parse(const QByteArray &bytes);

    std::optional<QString> value(const QString &section, const QString &key) const;
    void setValue(const QString &section, const QString &key, const QString &value);

    QByteArray bytes() const;

private:
    struct Line {
        QByteArray text; // without its line end
        QByteArray end;  // "\r\n", "\n" or empty for a last line without one
    };

    static std::optional<QByteArray> sectionName(const QByteArray &text);
    static std::optional<QByteArray> keyName(const QByteArray &text);
    // Index of the section's header line, or -1.
    qsizetype findSection(const QByteArray &section) const;
    // Index of the key's line within the section starting at `header`, or -1.
    qsizetype findKey(qsizetype header, const QByteArray &key) const;
    qsizetype sectionEnd(qsizetype header) const;
    void insertLine(qsizetype index, const QByteArray &text);

    QByteArray bom_;
    QList<Line> lines_;
    QByteArray lineEnd_ = "\n";
};

} // namespace vexlo
