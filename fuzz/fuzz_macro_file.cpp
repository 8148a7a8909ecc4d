// The macro file reader on any file: whatever it reads comes back line for
// line when written and read again.
#include "common/failure.h"
#include "fuzz_support.h"
#include "io/macro_file.h"

using namespace vexlo;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    QStringList lines;
    try {
        lines = ReadMacroFile(fuzz::ScratchFile(fuzz::Bytes(data, size), QStringLiteral("vmi")));
    } catch (const Failure &) {
        return 0; // too many lines: refused whole
    }
    fuzz::Require(lines.size() <= 32767, "never more lines than a macro holds");
    fuzz::Require(ParseMacroText(MacroFileBytes(lines)) == lines, "saved lines read back unchanged");
    return 0;
}
