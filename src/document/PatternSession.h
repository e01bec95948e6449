#pragma once

#include <QDateTime>
#include <QObject>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "BandPresentation.h"
#include "History.h"
#include "LoomState.h"
#include "PatternDocument.h"
#include "model/WindowValue.h"
#include "patternfile/PatternReader.h"

namespace tessaly {

// One open pattern: the document, its presentation (surfaces, face, zoom), its history, and
// where the weaver stands at the loom. It opens
// and saves the pattern's file and runs the commands that change it. The windows hold it and
// take what they need from its parts.
class PatternSession : public QObject {
    Q_OBJECT

  public:
    explicit PatternSession(QObject* parent = nullptr);

    PatternDocument& Document() { return document_; }
    const PatternDocument& Document() const { return document_; }
    BandPresentation& Presentation() { return presentation_; }
    const BandPresentation& Presentation() const { return presentation_; }
    tessaly::History& History() { return history_; }
    const tessaly::History& History() const { return history_; }
    LoomState& Loom() { return loom_; }
    CommandTarget Target() { return {document_, presentation_}; }

    // Makes a command's change: Run<WeavePick>(deck). False when it made none; a request
    // the command refuses throws AppError before anything changes.
    template <class Command, class... Args>
    bool Run(Args&&... args) {
        return history_.Run(std::make_unique<Command>(Target(), std::forward<Args>(args)...));
    }

    // The pattern differs from its file (or has none worth keeping).
    bool PatternChanged() const { return history_.IsChanged(); }
    // Work a Save or an Apply has not made safe: changes since the file, or paint not applied.
    bool HasUnsavedWork() const { return PatternChanged() || document_.DraftNotApplied(); }
    bool BandChangedSinceSave() const { return history_.BandChangedSinceSave(); }
    void SetPatternChanged(bool changed) { history_.SetChanged(changed); }

    // Reads a pattern file and makes it the pattern (Open, New, start-up): zoom back to its
    // start, front face, the band woven anew from the threading when the file has a turning
    // sequence, else its rows as stored; unchanged, no history. Gives the windows' places the
    // file stores. A file that cannot be read is reported and leaves the pattern as it was.
    std::optional<WindowValues> Open(const std::string& path);
    // What the file opened last held that Tessaly has no place for ("the notes", "the pack
    // names"...): empty for Tessaly's own files.
    const std::vector<std::string>& NotCarried() const { return notCarried_; }
    // Makes a pattern that was read the current one, as opening its file does, without
    // touching the path.
    void Load(PatternData pattern);
    // Writes the pattern to this file with these window places and makes it the pattern's
    // file; unchanged from then on. A failure is reported and changes nothing.
    bool Save(const std::string& path, const WindowValues& windows);
    // The pattern's file was changed by another program (its time or size is not what it was
    // when opened or last saved here), so a Save would overwrite someone else's work.
    bool FileChangedOnDisk() const;

  private:
    // Remembers what the pattern's file looks like now, after opening or saving it.
    void StampFile();

    PatternDocument document_;
    BandPresentation presentation_;
    tessaly::History history_;
    LoomState loom_;
    std::vector<std::string> notCarried_;
    struct FileStamp {
        std::string path;
        QDateTime modified;
        qint64 size = -1;
    } fileStamp_;
};

}  // namespace tessaly
