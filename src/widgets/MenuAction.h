#pragma once

#include <QAction>
#include <QIcon>
#include <QString>

namespace tessaly {

// A menu command named for the tests and tools that find it (objectName "mnuSave"), with its
// toolbar picture from the resources and the tip a toolbar button shows.
inline QAction* NewMenuAction(QObject* owner, const char* name, const QString& text,
                              const char* icon = nullptr, const QString& toolTip = {}) {
    auto* action = new QAction(text, owner);
    action->setObjectName(name);
    if (icon != nullptr) action->setIcon(QIcon(QString(":/icons/%1.svg").arg(icon)));
    if (!toolTip.isEmpty()) action->setToolTip(toolTip);
    return action;
}

}  // namespace tessaly
