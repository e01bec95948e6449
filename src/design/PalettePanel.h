#pragma once

#include <QList>
#include <QWidget>
#include <cstdint>

class QAction;
class QScrollArea;

namespace tessaly {

class PaletteStrip;
class PatternSession;
class UserDialogs;

// The palette of the design window, under the paint colours: the pattern's colours to paint
// with, scrolled when there are many. Changing a colour (a double click, or Return) changes it
// in every hole that holds it; adding, removing and naming colours are actions the Pattern
// menu and the palette's context menu (the Menu key) offer.
class PalettePanel : public QWidget {
    Q_OBJECT

  public:
    PalettePanel(PatternSession& session, UserDialogs& dialogs, QWidget* parent = nullptr);
    PaletteStrip* Strip() const { return strip_; }
    // "Change Colour...", "Add Colour...", "Remove Colour", "Name Colour...".
    QList<QAction*> Actions() const;

  signals:
    void leftChosen(std::int32_t color);
    void rightChosen(std::int32_t color);
    // A palette colour was changed in every hole that held it.
    void colorChanged(std::int32_t from, std::int32_t to);

  protected:
    void contextMenuEvent(QContextMenuEvent* event) override;

  private slots:
    void changeColor(int place);
    void addColor();
    void removeColor();
    void nameColor();

  private:
    void ShowPalette();
    void ShowCurrent();

    PatternSession& session_;
    UserDialogs& dialogs_;
    PaletteStrip* strip_ = nullptr;
    QScrollArea* view_ = nullptr;
    QAction* change_ = nullptr;
    QAction* add_ = nullptr;
    QAction* remove_ = nullptr;
    QAction* name_ = nullptr;
};

}  // namespace tessaly
