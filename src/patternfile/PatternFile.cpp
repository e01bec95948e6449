#include "PatternFile.h"

#include "PatternError.h"
#include "PatternReader.h"
#include "PatternWriter.h"
#include "SafeFile.h"
#include "errors/ErrorReporter.h"

namespace tessaly {

std::optional<std::string> ProcessFile(AppState& state) {
    try {
        PatternData data = PatternReader::ReadFile(state.PatternPath);
        state.CurrentBand = std::move(data.Rows);
        state.CurrentDeck.reset();
        state.BandName = std::move(data.BandName);
        state.WindowValues = data.Windows;
        return std::move(data.TurnSequence);
    } catch (const PatternFileError& error) {
        StdErrHandler("basMain", error.Procedure(), error);
    } catch (...) {
        ReportCurrentException("basMain", "ProcessFile");
    }
    return std::nullopt;
}

bool SaveFile(AppState& state, PatternFileHost& host) {
    bool saved = false;
    Trap("frmMain", "SaveFile", [&] {
        std::string path = state.PatternPath;
        if (path.empty()) {
            std::optional<std::string> chosen = host.AskSavePath();
            if (!chosen || chosen->empty()) return;
            path = *chosen;
        }
        PatternTexts texts{host.BandNameText(), host.TurnSequenceText(),
                           host.CurrentWindowValues()};
        WriteFileAtomically(path, PatternWriter::FormatForSaving(texts, *state.CurrentBand));
        // the pattern takes the new name only once it is stored under it
        if (path != state.PatternPath) {
            state.PatternPath = path;
            host.SetMainCaption("Tessaly - " + state.PatternPath);
        }
        state.PatternChanged = false;
        saved = true;
    });
    return saved;
}

void GetWindows(const WindowValues& values, PatternFileHost& host) noexcept {
    try {
        host.ApplyWindowValues(values);
    } catch (...) {
        // stored window places are a convenience; failing to apply them is not an error
    }
}

}  // namespace tessaly
