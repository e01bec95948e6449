// Feeds arbitrary bytes to the .tdd reader. A draft it refuses says why; a draft it reads
// becomes a band, which is woven and drawn, written back as a draft when the format can hold
// it, and that draft must read back to the same steps, holes and threading.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "SilentErrors.h"
#include "engine/InstructionGrid.h"
#include "engine/RecordingCanvas.h"
#include "errors/AppError.h"
#include "patternfile/PatternError.h"
#include "patternfile/TddFormat.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tessaly;
    fuzz::SilenceErrorReports();
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    PeerPattern peer;
    try {
        peer = TddFormat::Read(bytes, "fuzz.tdd");
    } catch (const PatternFileError& error) {
        if (std::string_view(error.what()).empty()) std::abort();
        return 0;
    }
    PatternData pattern;
    try {
        pattern = PatternFromPeer(peer);
    } catch (const AppError&) {
        return 0;  // more than a band may hold
    }
    RecordingCanvas canvas;
    InstructionGrid grid;
    pattern.Rows->WeaveBand(&canvas, &grid, DrawingGeometry{});

    std::string written;
    try {
        written = TddFormat::Write(PeerFromBand(*pattern.Rows, pattern.BandName));
    } catch (const AppError&) {
        return 0;  // idles, flips or too many colours: not a .tdd draft
    }
    const PeerPattern again = TddFormat::Read(written, "written.tdd");
    if (again.picks != peer.picks || again.sThreaded != peer.sThreaded) std::abort();
    const PatternData back = PatternFromPeer(again);
    if (back.Rows->Count() != pattern.Rows->Count()) std::abort();
    for (std::int32_t r = 1; r <= back.Rows->Count(); ++r)
        if (!(back.Rows->At(r).Cards() == pattern.Rows->At(r).Cards())) std::abort();
    return 0;
}
