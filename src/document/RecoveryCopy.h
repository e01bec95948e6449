#pragma once

#include <QDateTime>
#include <QString>
#include <exception>
#include <future>
#include <memory>
#include <optional>
#include <vector>

#include "model/WindowValue.h"

class QLockFile;

namespace tessaly {

class PatternSession;

// A copy of unsaved work that survives a crash, a power cut or a killed session: the pattern
// as Save would write it (window places included), and beside it what Save cannot hold yet
// (the draft not applied, the sequence typed but not woven, the file it belongs to). Kept in
// the user's data folder, never next to the pattern; written all or nothing, the file itself
// on a worker thread. Each copy is locked while its program runs, so two Tessalys never take
// each other's copies; a copy whose program is gone is left behind for the next start.
class RecoveryCopy {
  public:
    // A copy left behind by a program that is gone.
    struct LeftBehind {
        QString id;
        QString bandName;
        QString original;  // the pattern's file, empty for one never saved
        QDateTime written;
    };

    // The recovery copies' folder in the user's data folder.
    static QString DefaultFolder();
    // The copies in folder that no running Tessaly holds, the newest first.
    static std::vector<LeftBehind> FindLeftBehind(const QString& folder);
    // Opens a copy left behind as unsaved work of its original file, and gives its window
    // places; nothing when another Tessaly took it meanwhile or it cannot be read (reported).
    // The copy stays until Discard.
    static std::optional<WindowValues> Recover(const QString& folder, const QString& id,
                                               PatternSession& session);
    static void Discard(const QString& folder, const QString& id);

    // This program's copy in folder, under an id of its own, locked from now on.
    explicit RecoveryCopy(QString folder = DefaultFolder());
    // Keeps the files: only Remove ends a copy, so a crash leaves it.
    ~RecoveryCopy();
    RecoveryCopy(const RecoveryCopy&) = delete;
    RecoveryCopy& operator=(const RecoveryCopy&) = delete;

    // The session's pattern now. Its rows are copied here; the text is made and the file
    // written on a worker thread (unless wait), while a write still running makes this one
    // wait for it. A pattern Save would refuse is reported when the worker is done with it.
    void Write(const PatternSession& session, const WindowValues& windows, bool wait = false);
    // The work was saved or set aside: the copy goes.
    void Remove();
    bool Exists() const;
    const QString& Id() const { return id_; }

  private:
    QString Path(const char* extension) const;
    void FinishWriting();

    QString folder_;
    QString id_;
    std::unique_ptr<QLockFile> lock_;
    std::future<std::exception_ptr> writing_;  // what the worker refused, if anything
};

}  // namespace tessaly
