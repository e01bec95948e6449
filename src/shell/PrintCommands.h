#pragma once

#include <QObject>
#include <QString>
#include <memory>

#include "print/PatternPrinter.h"

class QMenu;
class QWidget;

namespace tessaly {

class PatternSession;
class UserDialogs;

// The commands that put the pattern on paper or in a picture: Print, Print Preview, Export as
// PDF and Export Picture. Each writes what the document holds as it is now; the screen's
// band, geometry and instructions are only read.
class PrintCommands : public QObject {
    Q_OBJECT

  public:
    PrintCommands(const PatternSession& session, UserDialogs& dialogs, QWidget* parent);
    ~PrintCommands() override;

    // What the printout is made from: the band as it is (its own threading row, its cards, the
    // sequence it was woven with), drawn on the face the display shows.
    static PrintSource SourceOf(const PatternSession& session);
    // How the instructions print, as the weaver last chose it (kept in the settings).
    static PrintOptions ChosenOptions();
    // "Print Options": pick 1 at the bottom, a tick column, text lines; each a checkable entry.
    QMenu* OptionsMenu() const { return options_.get(); }

    void Print();
    void Preview();
    void ExportPdf();
    void ExportPicture();

  private:
    // Says why there is nothing to print, when that is so.
    bool NothingToPrint(const QString& title);
    void Warn(const QString& title, const QString& text);

    const PatternSession& session_;
    UserDialogs& dialogs_;
    QWidget* parent_;
    std::unique_ptr<QMenu> options_;  // held here: the File menu only shows it
};

}  // namespace tessaly
