#pragma once

#include <QAction>
#include <QString>
#include <vector>

namespace tessaly {

// The action of that object name among these, or nothing: how windows and tests find an
// entry of a menu they did not build.
inline QAction* ActionNamed(const std::vector<QAction*>& actions, const QString& objectName) {
    for (QAction* action : actions)
        if (action->objectName() == objectName) return action;
    return nullptr;
}

}  // namespace tessaly
