#include "PatternFile.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>

#include "PatternError.h"
#include "TddFormat.h"
#include "SafeFile.h"
#include "errors/ErrorReporter.h"

namespace tessaly {

PatternFormat FormatOfPath(const std::string& path) {
    std::string extension = std::filesystem::path(path).extension().string();
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return extension == ".tdd" ? PatternFormat::Tdd : PatternFormat::Kst;
}

namespace {

// A draft of another program, read whole: they are small, and refused past the .kst limit
// (a pipe has no size, so the limit is checked as it is read too).
PatternData ReadPeerFile(const std::string& path) {
    std::ifstream in = PatternReader::OpenFile(path);
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
    if (in.bad())
        throw PatternFileError(ErrorNumber::DeviceIoError, "ProcessFile", 0, path + ": read error");
    return PatternFromPeer(TddFormat::Read(text, path));
}

}  // namespace

std::optional<PatternData> ReadPatternFile(const std::string& path) {
    try {
        if (FormatOfPath(path) == PatternFormat::Tdd) return ReadPeerFile(path);
        return PatternReader::ReadFile(path);
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
