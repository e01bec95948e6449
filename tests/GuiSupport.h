#pragma once

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QString>
#include <vector>

#include "TestSupport.h"
#include "shell/UserDialogs.h"

namespace tessaly::test {

// Answers the program's questions without a screen and remembers what it was asked.
class RecordingDialogs : public UserDialogs {
  public:
    struct Message {
        QString title;
        QString text;
        Icon icon;
    };
    void ShowMessage(QWidget*, const QString& title, const QString& text, Icon icon) override {
        messages.push_back({title, text, icon});
    }
    bool OpenDocument(const QString& path) override {
        opened.push_back(path);
        return viewerAvailable;
    }

    std::vector<Message> messages;
    std::vector<QString> opened;
    bool viewerAvailable = true;
};

// A program folder holding the default pattern and the read-me, as the installed program has.
class ProgramFolder {
  public:
    ProgramFolder() {
        QFile::copy(TESSALY_DEFAULT_PATTERN, Path() + "/default.kst");
        QFile::copy(TESSALY_README, Path() + "/readme.txt");
    }
    QString Path() const { return QString::fromStdString(dir_.File("")).chopped(1); }
    std::string File(const std::string& name) const { return dir_.File(name); }

  private:
    TempDir dir_;
};

inline void ProcessEvents() {
    for (int i = 0; i < 3; ++i) QCoreApplication::processEvents();
}

}  // namespace tessaly::test
