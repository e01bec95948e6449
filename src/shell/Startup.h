#pragma once

#include <QString>
#include <memory>

#include "document/PatternSession.h"

namespace tessaly {

class MainWindow;
class UserDialogs;

// What happens from launch until the weaver can work: the default pattern read from the
// program's folder, the main window and its children built from it, the stored window places
// applied, work left behind by a crash offered back, and the splash shown.
class Startup {
  public:
    Startup(UserDialogs& dialogs, QString programFolder);
    ~Startup();

    // patternFile, when given, is opened after the default pattern, as Open opens a file: one
    // that cannot be read is reported and the default pattern stays.
    MainWindow& Run(bool showSplash = true, const QString& patternFile = {});
    PatternSession& Session() { return session_; }
    PatternDocument& Document() { return session_.Document(); }

    // Where the default pattern and the read-me are: beside the program when it was built,
    // in share/tessaly beside its bin folder when it was installed.
    static QString DataFolder(const QString& programFolder);

  private:
    // Work a Tessaly that was not closed properly left behind: Recover opens it as unsaved
    // work of its file, Discard throws it away, Later keeps it for the next start.
    void OfferRecovery();

    UserDialogs& dialogs_;
    QString programFolder_;
    PatternSession session_;
    std::unique_ptr<MainWindow> main_;
};

}  // namespace tessaly
