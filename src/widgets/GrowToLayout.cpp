#include "GrowToLayout.h"

#include <QLayout>
#include <QMdiSubWindow>

namespace tessaly {

void GrowToLayout(QWidget& content) {
    if (content.layout() != nullptr) content.layout()->activate();
    const QSize missing = (content.minimumSizeHint() - content.size()).expandedTo(QSize(0, 0));
    if (missing.isNull()) return;
    auto* frame = qobject_cast<QMdiSubWindow*>(content.parentWidget());
    QWidget& window = frame != nullptr ? static_cast<QWidget&>(*frame) : content;
    window.resize(window.size() + missing);
}

}  // namespace tessaly
