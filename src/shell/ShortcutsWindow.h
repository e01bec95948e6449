#pragma once

#include <QDialog>

class QMenuBar;

namespace tessaly {

// Help > Keyboard Shortcuts: every menu command that has keys, read from the menus as they
// are, then the keys each window takes at its cursor. A table a screen reader can walk.
class ShortcutsWindow : public QDialog {
    Q_OBJECT

  public:
    explicit ShortcutsWindow(const QMenuBar& menus, QWidget* parent = nullptr);
};

}  // namespace tessaly
