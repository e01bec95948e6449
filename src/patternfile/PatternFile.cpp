#include "PatternFile.h"

#include "AtomicFile.h"
#include "PatternError.h"
#include "PatternReader.h"
#include "PatternWriter.h"
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
        if (state.PatternPath.empty()) {
            std::optional<std::string> chosen = host.AskSavePath();
            if (!chosen || chosen->empty()) return;
            state.PatternPath = *chosen;
            host.SetMainCaption("Tessaly - " + state.PatternPath);
        }
        PatternTexts texts{host.BandNameText(), host.TurnSequenceText(),
                           host.CurrentWindowValues()};
        WriteFileAtomically(state.PatternPath, PatternWriter::Format(texts, *state.CurrentBand));
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
