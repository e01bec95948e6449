#include "PatternFile.h"

#include "PatternError.h"
#include "SafeFile.h"
#include "errors/ErrorReporter.h"

namespace tessaly {

std::optional<PatternData> ReadPatternFile(const std::string& path) {
    try {
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
