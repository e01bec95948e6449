#include "PatternFile.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>

#include "PatternError.h"
#include "GttFormat.h"
#include "TddFormat.h"
#include "TwtFormat.h"
#include "SafeFile.h"
#include "errors/ErrorReporter.h"

namespace tessaly {

PatternFormat FormatOfPath(const std::string& path) {
    std::string extension = std::filesystem::path(path).extension().string();
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    if (extension == ".tdd") return PatternFormat::Tdd;
    if (extension == ".twt") return PatternFormat::Twt;
    if (extension == ".gtt") return PatternFormat::Gtt;
    return PatternFormat::Kst;
}

PeerReading ReadPeerText(PatternFormat format, std::string_view text, std::string_view sourceName) {
    PeerPattern peer;
    switch (format) {
        case PatternFormat::Tdd: peer = TddFormat::Read(text, sourceName); break;
        case PatternFormat::Twt: peer = TwtFormat::Read(text, sourceName); break;
        case PatternFormat::Gtt: peer = GttFormat::Read(text, sourceName); break;
        case PatternFormat::Kst:
            throw AppError(ErrorNumber::InvalidProcedureCall, "a .kst file is not another program's");
    }
    return {PatternFromPeer(peer), std::move(peer.notCarried)};
}

std::string PeerText(PatternFormat format, const Band& band, const std::string& name) {
    const PeerPattern peer = PeerFromBand(band, name);
    switch (format) {
        case PatternFormat::Tdd: return TddFormat::Write(peer);
        case PatternFormat::Twt: return TwtFormat::Write(peer);
        case PatternFormat::Gtt: return GttFormat::Write(peer);
        case PatternFormat::Kst: break;
    }
    throw AppError(ErrorNumber::InvalidProcedureCall, "a .kst file is not another program's");
}

namespace {

// Another program's pattern. The JSON and XML readers take the file as it streams in; a
// .tdd draft, which lists its last pick first, is read whole. All are refused past the .kst
// limit (a pipe has no size, so the limit is checked as it is read too).
PeerReading ReadPeerFile(const std::string& path, PatternFormat format) {
    std::ifstream in = PatternReader::OpenFile(path);
    PeerPattern peer;
    if (format == PatternFormat::Twt) {
        peer = TwtFormat::Read(in, path);
    } else if (format == PatternFormat::Gtt) {
        peer = GttFormat::Read(in, path);
    } else {
        std::string text;
        char piece[1 << 16];
        while (in.read(piece, sizeof piece) || in.gcount() > 0) {
            text.append(piece, static_cast<std::size_t>(in.gcount()));
            if (text.size() > PatternReader::kMaxFileSize)
                throw PatternFileError(ErrorNumber::OutOfMemory, "ProcessFile", 0,
                                       path + ": larger than " +
                                           std::to_string(PatternReader::kMaxFileSize >> 20) +
                                           " MB; not a pattern file");
        }
        peer = TddFormat::Read(text, path);
    }
    if (in.bad())
        throw PatternFileError(ErrorNumber::DeviceIoError, "ProcessFile", 0, path + ": read error");
    return {PatternFromPeer(peer), std::move(peer.notCarried)};
}

}  // namespace

std::optional<PatternData> ReadPatternFile(const std::string& path,
                                           std::vector<std::string>* notCarried) {
    if (notCarried) notCarried->clear();
    try {
        const PatternFormat format = FormatOfPath(path);
        if (format == PatternFormat::Kst) return PatternReader::ReadFile(path);
        PeerReading reading = ReadPeerFile(path, format);
        if (notCarried) *notCarried = std::move(reading.notCarried);
        return std::move(reading.pattern);
    } catch (const PatternFileError& error) {
        StdErrHandler("basMain", error.Procedure(), error);
    } catch (...) {
        ReportCurrentException("basMain", "ProcessFile");
    }
    return std::nullopt;
}

bool WritePatternFile(const std::string& path, const PatternTexts& texts, const Band& band) {
    return Trap("frmMain", "SaveFile",
                [&] { WriteFileAtomically(path, PatternWriter::FormatForSaving(texts, band)); });
}

}  // namespace tessaly
