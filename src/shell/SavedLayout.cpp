#include "SavedLayout.h"

#include <QLayout>
#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QScreen>
#include <QSettings>
#include <algorithm>

#include "WindowPlaces.h"

namespace tessaly::saved_layout {

namespace {

constexpr const char* kGroup = "layout";

void Settle(QMainWindow& main) {
    if (main.layout() != nullptr) main.layout()->activate();
}

}  // namespace

void Save(const QMainWindow& main, const std::vector<QMdiSubWindow*>& windows) {
    QSettings settings;
    settings.beginGroup(kGroup);
    settings.setValue("main", main.saveGeometry());
    for (const QMdiSubWindow* sub : windows) {
        const QString name = sub->widget()->objectName();
        settings.setValue(name + "/place", sub->geometry());
        settings.setValue(name + "/shown", !sub->isHidden());
    }
}

bool Restore(QMainWindow& main, QMdiArea& area, const std::vector<QMdiSubWindow*>& windows) {
    QSettings settings;
    settings.beginGroup(kGroup);
    if (!settings.contains("main") || !main.restoreGeometry(settings.value("main").toByteArray()))
        return false;
    window_places::KeepOnScreen(&main);
    Settle(main);
    for (QMdiSubWindow* sub : windows) {
        const QString name = sub->widget()->objectName();
        const QRect place = settings.value(name + "/place").toRect();
        if (place.isValid()) sub->setGeometry(place);
        if (settings.contains(name + "/shown"))
            sub->setVisible(settings.value(name + "/shown").toBool());
        window_places::KeepChildReachable(&area, sub);
    }
    return true;
}

void FillScreen(QMainWindow& main, QMdiArea& area, const FirstStart& windows) {
    // a desktop without a window manager does not maximise: the geometry says it first
    if (const QScreen* shown = main.screen()) main.setGeometry(shown->availableGeometry());
    main.showMaximized();
    Settle(main);
    windows.instructions->show();
    // A window whose layout needs more than its share keeps what it needs, moved back into
    // the work area: on a small screen they overlap rather than hide a control.
    const QSize room = area.viewport()->size();
    const auto least = [](const QMdiSubWindow* sub) { return sub->minimumSizeHint(); };
    const int left =
        std::max({least(windows.design).width(), least(windows.weave).width(), room.width() / 2});
    const int designHeight = std::clamp(
        windows.design->sizeHint().height(), least(windows.design).height(),
        std::max(room.height() - least(windows.weave).height(), least(windows.design).height()));
    windows.design->setGeometry(0, 0, left, designHeight);
    windows.weave->setGeometry(
        0, designHeight, left,
        std::max(room.height() - designHeight, least(windows.weave).height()));
    // the instructions as wide as their layout needs at least, the display the rest
    const int right = std::max(room.width() - left, 0);
    const int instructionsWidth = std::max(least(windows.instructions).width(), right * 3 / 5);
    const int displayWidth = std::max(least(windows.display).width(), right - instructionsWidth);
    windows.display->setGeometry(left, 0, displayWidth,
                                 std::max(room.height(), least(windows.display).height()));
    windows.instructions->setGeometry(
        left + displayWidth, 0, instructionsWidth,
        std::max(room.height(), least(windows.instructions).height()));
    for (QMdiSubWindow* sub :
         {windows.design, windows.weave, windows.display, windows.instructions})
        window_places::KeepChildReachable(&area, sub);
}

}  // namespace tessaly::saved_layout
