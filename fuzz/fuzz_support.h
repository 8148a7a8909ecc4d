#pragma once

#include <QByteArray>
#include <QString>

#include <cstddef>
#include <cstdint>

namespace vexlo::fuzz {

// The input as bytes, without copying.
inline QByteArray Bytes(const std::uint8_t *data, std::size_t size)
{
    return QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size));
}

// Writes the bytes to this process's scratch file with the given extension
// and returns its path; the same file is reused for every input.
QString ScratchFile(const QByteArray &bytes, const QString &extension);

// Stops the fuzzer with a finding when a property does not hold.
void Require(bool condition, const char *what);

} // namespace vexlo::fuzz
