// Feeds arbitrary bytes to the pattern reader, read quickly and carefully: both must accept
// the same files with the same pattern and reject the rest with the same message. A file it
// accepts is also woven, redrawn, reversed twice and written back, and the written file must
// read back to the same band.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "SilentErrors.h"
#include "engine/TurningInstructions.h"
#include "engine/RecordingCanvas.h"
#include "engine/Threading.h"
#include "patternfile/PatternError.h"
#include "patternfile/PatternReader.h"
#include "patternfile/PatternWriter.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tessaly;
    fuzz::SilenceErrorReports();
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    PatternData pattern;
    std::string rejected;
    try {
        pattern = PatternReader::Parse(bytes, "fuzz.kst");
    } catch (const PatternFileError& error) {
        rejected = error.what();
    }
    try {
        const PatternData careful =
            PatternReader::Parse(bytes, "fuzz.kst", PatternReader::Reading::Careful);
        if (!rejected.empty() ||
            PatternWriter::Format({careful.BandName, "", careful.Windows}, *careful.Rows) !=
                PatternWriter::Format({pattern.BandName, "", pattern.Windows}, *pattern.Rows))
            std::abort();
    } catch (const PatternFileError& error) {
        if (rejected != error.what()) std::abort();
    }
    if (!rejected.empty()) return 0;

    const std::string written =
        PatternWriter::Format({pattern.BandName, "", pattern.Windows}, *pattern.Rows);
    const PatternData again = PatternReader::Parse(written, "written.kst");
    if (again.Rows->Count() != pattern.Rows->Count() || again.BandName != pattern.BandName ||
        again.Windows != pattern.Windows)
        std::abort();
    for (std::int32_t r = 1; r <= again.Rows->Count(); ++r)
        if (!(again.Rows->At(r).Cards() == pattern.Rows->At(r).Cards())) std::abort();

    const DrawingGeometry geometry;
    const OpenedBand opened =
        WeaveOpenedPattern(std::move(pattern.Rows), pattern.TurnSequence, geometry);
    RecordingCanvas canvas;
    opened.band->WeaveBand(&canvas, geometry);
    // the instructions of either face are read from any band the reader gives
    (void)TurningInstructions(*opened.band).Text(1, 1);
    opened.band->WeaveReverse(&canvas, geometry);
    opened.band->WeaveReverse(&canvas, geometry);
    return 0;
}
