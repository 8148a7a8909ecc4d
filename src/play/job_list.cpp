#include "play/job_list.h"

#include "play/play_arguments.h"

#include <QHash>
#include <QList>
#include <QStringDecoder>

#include <unordered_map>

namespace vexlo {
namespace {

// The job of one line, or why it is none.
QString ReadJob(QByteArrayView line, PlayJob &job, bool pngOutputsOnly)
{
    // The system would read a name only up to it: another file.
    if (line.contains('\0'))
        return QStringLiteral("a NUL byte, which no file name can hold");
    QList<QByteArrayView> fields;
    for (qsizetype start = 0;;) {
        const qsizetype tab = line.indexOf('\t', start);
        fields << line.sliced(start, (tab < 0 ? line.size() : tab) - start);
        if (tab < 0)
            break;
        start = tab + 1;
    }
    if (fields.size() < 4 || fields.size() > 5)
        return QStringLiteral("%1 tab-separated fields, not 4 or 5 (LEFT RIGHT OUT-LEFT OUT-RIGHT [REMAP])")
            .arg(fields.size());
    QString texts[5];
    for (qsizetype i = 0; i < fields.size(); ++i) {
        // A name may start with U+FEFF, which fromUtf8 would drop.
        QStringDecoder decoder(QStringConverter::Utf8, QStringConverter::Flag::ConvertInitialBom);
        texts[i] = decoder.decode(fields[i]);
        if (decoder.hasError() || texts[i].toUtf8() != fields[i])
            return QStringLiteral("field %1 is not valid UTF-8; Vexlo cannot name that file").arg(i + 1);
    }
    job.left = texts[0];
    job.right = texts[1];
    job.outLeft = texts[2];
    job.outRight = texts[3];
    job.remap = texts[4];
    if (job.left.isEmpty() || job.right.isEmpty())
        return QStringLiteral("both the left and the right sheet are needed");
    if (pngOutputsOnly)
        for (const QString *output : {&job.outLeft, &job.outRight})
            if (const QString problem = KeysToAlphaProblem(*output); !problem.isEmpty())
                return problem;
    return {};
}

// Every file a job writes must be its own, and no other job may read it.
// Only a hash of each file is kept; the names behind an equal hash are
// compared before anything is refused.
QString ClashProblem(const JobList &jobs)
{
    std::unordered_multimap<std::size_t, std::size_t> writers; // hash, job index
    auto writerOf = [&](const QString &identity) -> std::optional<std::size_t> {
        const auto [first, last] = writers.equal_range(qHash(identity));
        for (auto found = first; found != last; ++found) {
            const PlayJob other = jobs.at(found->second);
            for (const QString *output : {&other.outLeft, &other.outRight, &other.remap})
                if (!output->isEmpty() && OutputIdentity(*output) == identity)
                    return found->second;
        }
        return std::nullopt;
    };
    for (std::size_t index = 0; index < jobs.size(); ++index) {
        const PlayJob job = jobs.at(index);
        for (const QString *output : {&job.outLeft, &job.outRight, &job.remap}) {
            const QString identity = output->isEmpty() ? QString() : OutputIdentity(*output);
            if (identity.isEmpty())
                continue;
            if (const auto earlier = writerOf(identity); earlier == index)
                return QStringLiteral("line %1 writes %2 twice").arg(job.line).arg(*output);
            else if (earlier)
                return QStringLiteral("line %1 writes %2, which line %3 writes too")
                    .arg(job.line).arg(*output).arg(jobs.at(*earlier).line);
            writers.emplace(qHash(identity), index);
        }
    }
    for (std::size_t index = 0; index < jobs.size(); ++index) {
        const PlayJob job = jobs.at(index);
        for (const QString *input : {&job.left, &job.right}) {
            const auto writer = writerOf(OutputIdentity(*input));
            if (writer && *writer != index)
                return QStringLiteral("line %1 reads %2, which line %3 writes")
                    .arg(job.line).arg(*input).arg(jobs.at(*writer).line);
        }
    }
    return {};
}

} // namespace

PlayJob JobList::at(std::size_t index) const
{
    const Line &line = lines_.at(index);
    PlayJob job;
    job.line = line.number;
    ReadJob(QByteArrayView(text_).sliced(line.start, line.length), job, false);
    return job;
}

std::optional<JobList> ParseJobList(const QByteArray &text, QString &problem, bool pngOutputsOnly)
{
    JobList jobs;
    jobs.text_ = text;
    int number = 0;
    // A byte order mark, as some editors put first, is no part of a name.
    for (qsizetype start = text.startsWith("\xEF\xBB\xBF") ? 3 : 0; start < text.size(); ++number) {
        qsizetype end = text.indexOf('\n', start);
        if (end < 0)
            end = text.size();
        QByteArrayView line = QByteArrayView(text).sliced(start, end - start);
        const qsizetype lineStart = start;
        start = end + 1;
        if (line.endsWith('\r'))
            line.chop(1);
        if (line.trimmed().isEmpty() || line.startsWith('#'))
            continue;
        PlayJob job;
        if (const QString why = ReadJob(line, job, pngOutputsOnly); !why.isEmpty()) {
            problem = QStringLiteral("line %1: %2").arg(number + 1).arg(why);
            return std::nullopt;
        }
        jobs.lines_.push_back({lineStart, line.size(), number + 1});
    }
    problem = ClashProblem(jobs);
    if (!problem.isEmpty())
        return std::nullopt;
    return jobs;
}

} // namespace vexlo
