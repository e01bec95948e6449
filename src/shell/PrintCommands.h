#pragma once

#include <QObject>
#include <QString>

#include "print/PatternPrinter.h"

class QWidget;

namespace tessaly {

class PatternSession;
class UserDialogs;

// The commands that put the pattern out of the program: Print, Print Preview, Export as PDF,
// Export Picture, and Export As another program's pattern file. Each writes what the document
// holds as it is now; the screen's band, geometry and instructions are only read.
class PrintCommands : public QObject {
    Q_OBJECT

  public:
    PrintCommands(const PatternSession& session, UserDialogs& dialogs, QWidget* parent);

    // What the printout is made from: the band as it is (its own threading row, its cards, the
    // sequence it was woven with), drawn on the face the display shows.
    static PrintSource SourceOf(const PatternSession& session);

    void Print();
    void Preview();
    void ExportPdf();
    void ExportPicture();
    // The band's front face as a .tdd, .twt or .gtt file, the format the name chosen says.
    void ExportPattern();

  private:
    // Says why there is nothing to print, when that is so.
    bool NothingToPrint(const QString& title);
    // Says there is no band, when that is so.
    bool NoBandToExport(const QString& title);
    // The pattern's file name with another suffix, for the export dialogs.
    QString SuggestedName(const QString& suffix) const;
    void Warn(const QString& title, const QString& text);

    const PatternSession& session_;
    UserDialogs& dialogs_;
    QWidget* parent_;
};

}  // namespace tessaly
