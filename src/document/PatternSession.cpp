#include "PatternSession.h"

#include <QFileInfo>

#include "errors/ErrorReporter.h"
#include "patternfile/PatternFile.h"

namespace tessaly {

PatternSession::PatternSession(QObject* parent)
    : QObject(parent), presentation_(document_), history_(document_), loom_(document_) {}

std::optional<WindowValues> PatternSession::Open(const std::string& path) {
    std::vector<std::string> notCarried;
    std::optional<PatternData> read = ReadPatternFile(path, &notCarried);
    if (!read) return std::nullopt;
    // stored rows are shown as they are; rows that cannot all be held are not opened
    const Band& rows = *read->Rows;
    if (read->TurnSequence.empty() && !Trap("basMain", "ProcessFile", [&] {
            CheckBandBudget(rows.Count(), rows.Count() > 0 ? rows.At(1).Cards().Count() : 0);
        }))
        return std::nullopt;
    const WindowValues windows = read->Windows;
    Load(std::move(*read));
    notCarried_ = std::move(notCarried);
    // the pick reached in this file comes back, whatever program wrote it
    loom_.TieToFile(QString::fromStdString(path), true);
    // another program's pattern opens untitled: a Save asks for a .kst name and never writes
    // Tessaly's file over it
    if (FormatOfPath(path) != PatternFormat::Kst) {
        document_.SetPatternPath({});
        return windows;
    }
    document_.SetPatternPath(path);
    StampFile();
    return windows;
}

void PatternSession::Load(PatternData pattern) {
    // a band read from a file shows its front face at the start zoom
    presentation_.StartOver();
    OpenedBand opened =
        WeaveOpenedPattern(std::move(pattern.Rows), pattern.TurnSequence, presentation_.Geometry());
    document_.Load(std::move(pattern.BandName), std::move(pattern.TurnSequence), std::move(opened),
                   std::move(pattern.Extras));
    history_.Clear();
}

bool PatternSession::Save(const std::string& path, const WindowValues& windows) {
    // the band holds the front face, which is what a file holds
    const PatternTexts texts{document_.BandName(), document_.StoredSequence(), windows};
    if (!WritePatternFile(path, texts, document_.CurrentBand(), document_.Extras())) return false;
    // the pattern takes the new name only once it is stored under it
    document_.SetPatternPath(path);
    history_.SetChanged(false);
    StampFile();
    loom_.TieToFile(QString::fromStdString(path), false);
    return true;
}

void PatternSession::StampFile() {
    const std::string& path = document_.PatternPath();
    const QFileInfo file(QString::fromStdString(path));
    fileStamp_ = {path, file.lastModified(), file.exists() ? file.size() : -1};
}

bool PatternSession::FileChangedOnDisk() const {
    const std::string& path = document_.PatternPath();
    if (path.empty() || path != fileStamp_.path) return false;
    const QFileInfo file(QString::fromStdString(path));
    // a file removed since is written anew: nothing of anyone's is lost
    if (!file.exists()) return false;
    return file.lastModified() != fileStamp_.modified || file.size() != fileStamp_.size;
}

}  // namespace tessaly
