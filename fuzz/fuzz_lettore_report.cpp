// The report file as the preview reads it: opened by LettoreReport and read chunk
// after chunk, then saved back unedited.
//
// Whatever the chunk size, the chunks together show every line of the file once, in
// order, as RighePerEditor shows the whole file, in UTF-8; the last chunk says there is
// nothing after it. Saving the shown text unedited gives the file's lines converted by
// TogliAccenti with CR LF line ends, so a save without edits loses nothing but what the
// conversion changes (a line that ends in a carriage return is left out of this check:
// the editor cannot tell that carriage return from a line end).
#include "fuzz/FuzzCheck.h"
#include "output/LettoreReport.h"
#include "output/RigheReport.h"
#include "output/TestoEditor.h"
#include "output/TogliAccenti.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>

using namespace ravelt;

namespace {

void readInChunks(const std::vector<std::string>& lines, long limit)
{
    LettoreReport reader(fuzz::scratch().path(), 7);
    fuzz::require(reader.apri(), "the workstation's report file is found");
    std::string shown;
    std::size_t chunks = 0;
    for (;;) {
        const LettoreReport::Blocco b = reader.LeggiBlocco(limit);
        fuzz::require(fuzz::isUtf8(b.testo), "a chunk is UTF-8");
        shown += b.testo;
        if (!b.altro)
            break;
        fuzz::require(!b.testo.empty(), "a chunk before the last shows something");
        fuzz::require(++chunks <= lines.size(), "the chunks come to an end");
    }
    fuzz::require(shown == RighePerEditor(lines), "the chunks show every line once, in order");
}

}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    fuzz::scratch().write("FD7", bytes);
    const std::vector<std::string> lines = DividiRighe(bytes);

    for (long limit : {1L, 80L, LettoreReport::PrimoBlocco})
        readInChunks(lines, limit);

    if (std::any_of(lines.begin(), lines.end(), [](const std::string& l) { return l.ends_with('\r'); }))
        return 0;
    std::string expected;
    for (const std::string& line : lines)
        expected += TogliAccenti(line) + "\r\n";
    fuzz::require(TestoEditorInCp1252(RighePerEditor(lines)) == expected, "an unedited save keeps the shown lines");
    return 0;
}
