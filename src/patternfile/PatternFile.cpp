#include "PatternFile.h"

#include <filesystem>
#include <fstream>

#include "PatternError.h"
#include "GttFormat.h"
#include "TddFormat.h"
#include "TwtFormat.h"
#include "SafeFile.h"
#include "TextCodec.h"
#include "errors/ErrorReporter.h"

namespace tessaly {

PatternFormat FormatOfPath(const std::string& path) {
    const std::string extension = AsciiLower(std::filesystem::path(path).extension().string());
    if (extension == ".tdd") return PatternFormat::Tdd;
    if (extension == ".twt") return PatternFormat::Twt;
    if (extension == ".gtt") return PatternFormat::Gtt;
    return PatternFormat::Kst;
}

std::string PeerText(PatternFormat format, const Band& band, const std::string& name,
                     const PatternExtras& extras, std::string* leftOut) {
    const PeerPattern peer = PeerFromBand(band, name, extras);
    const auto written = [&](std::string text, const PeerLimits& limits) {
        if (leftOut) {
            const std::vector<std::string> missing = LeftOutOf(peer, extras, limits);
            *leftOut = missing.empty()
                           ? std::string()
                           : std::string(limits.kind) + " has no place for " + ListInWords(missing);
        }
        return text;
    };
    switch (format) {
        case PatternFormat::Tdd:
            return written(TddFormat::Write(peer), TddFormat::Limits());
        case PatternFormat::Twt:
            return written(TwtFormat::Write(peer), TwtFormat::Limits());
        case PatternFormat::Gtt:
            return written(GttFormat::Write(peer), GttFormat::Limits());
        case PatternFormat::Kst: break;
    }
    throw AppError(ErrorNumber::InvalidProcedureCall, "a .kst file is not another program's");
}

namespace {

// Another program's pattern: the JSON and XML readers take the file as it streams in, a
// .tdd draft is read whole; all stop at the .kst limit.
PeerPattern ReadPeerFile(const std::string& path, PatternFormat format) {
    std::ifstream in = PatternReader::OpenFile(path);
    switch (format) {
        case PatternFormat::Tdd: return TddFormat::Read(in, path);
        case PatternFormat::Twt: return TwtFormat::Read(in, path);
        case PatternFormat::Gtt: return GttFormat::Read(in, path);
        case PatternFormat::Kst: break;
    }
    throw AppError(ErrorNumber::InvalidProcedureCall, "a .kst file is not another program's");
}

}  // namespace

std::optional<PatternData> ReadPatternFile(const std::string& path,
                                           std::vector<std::string>* notCarried) {
    if (notCarried) notCarried->clear();
    try {
        const PatternFormat format = FormatOfPath(path);
        if (format == PatternFormat::Kst) return PatternReader::ReadFile(path);
        PeerPattern peer = ReadPeerFile(path, format);
        PatternData pattern = PatternFromPeer(peer);
        if (notCarried) *notCarried = std::move(peer.notCarried);
        return pattern;
    } catch (const PatternFileError& error) {
        StdErrHandler("basMain", error.Procedure(), error);
    } catch (...) {
        ReportCurrentException("basMain", "ProcessFile");
    }
    return std::nullopt;
}

bool WritePatternFile(const std::string& path, const PatternTexts& texts, const Band& band,
                      const PatternExtras& extras) {
    return Trap("frmMain", "SaveFile", [&] {
        WriteFileAtomically(path, PatternWriter::FormatForSaving(texts, band, extras));
    });
}

}  // namespace tessaly
