#include "WindowPlaces.h"

#include <QGuiApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QScreen>
#include <QStyle>
#include <algorithm>

#include "model/Twips.h"

namespace tessaly::window_places {

namespace {

std::int16_t StateOf(const QWidget* window) {
    if (window->isMinimized()) return 1;
    if (window->isMaximized()) return 2;
    return 0;
}

void ApplyState(QWidget* window, std::int16_t state) {
    if (state == 1)
        window->showMinimized();
    else if (state == 2)
        window->showMaximized();
    else
        window->showNormal();
}

// The stored place in pixels, or an empty rectangle when it is too small to use.
QRect PlaceOf(const WindowValue& value) {
    const int width = TwipsToPixels(value.Width);
    const int height = TwipsToPixels(value.Height);
    if (width < kMinWidth || height < kMinHeight) return {};
    return QRect(TwipsToPixels(value.Left), TwipsToPixels(value.Top), width, height);
}

QSize AtLeastMinimum(QSize size) { return size.expandedTo(QSize(kMinWidth, kMinHeight)); }

QSize AtMost(QSize size, QSize room) { return size.boundedTo(AtLeastMinimum(room)); }

// A child never smaller than its layout needs, whatever place was stored or room there is:
// squeezed, its labels and buttons would lie over each other; the work area scrolls instead.
QSize AtLeastItsLayout(const QWidget* window, QSize size) {
    return size.expandedTo(window->minimumSizeHint());
}

QRect AvailableArea(const QWidget* window) {
    const QScreen* screen = window->screen();
    if (screen == nullptr) screen = QGuiApplication::primaryScreen();
    return screen != nullptr ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
}

// The frame's share of the outer size: title bar and borders.
QSize FrameExtra(const QWidget* window) { return window->frameGeometry().size() - window->size(); }

}  // namespace

WindowValue Read(const QWidget* window) {
    const QSize frame = FrameExtra(window);
    const QRect normal =
        window->isMinimized() || window->isMaximized()
            ? QRect(window->normalGeometry().topLeft(), window->normalGeometry().size() + frame)
            : window->frameGeometry();
    return {StateOf(window), static_cast<std::int32_t>(PixelsToTwips(normal.y())),
            static_cast<std::int32_t>(PixelsToTwips(normal.x())),
            static_cast<std::int32_t>(PixelsToTwips(normal.width())),
            static_cast<std::int32_t>(PixelsToTwips(normal.height()))};
}

void ApplyToMain(QWidget* window, const WindowValue& value) {
    const QRect place = PlaceOf(value);
    if (!place.isEmpty()) {
        window->showNormal();
        const QSize outer = AtMost(place.size(), AvailableArea(window).size());
        window->move(place.topLeft());
        window->resize(AtLeastMinimum(outer - FrameExtra(window)));
    }
    ApplyState(window, value.State);
}

void ApplyToChild(QMdiSubWindow* window, const WindowValue& value) {
    ApplyState(window, value.State);
    const QRect place = PlaceOf(value);
    if (value.State != 0 || place.isEmpty()) return;
    QSize room =
        window->mdiArea() != nullptr ? window->mdiArea()->viewport()->size() : place.size();
    window->setGeometry(QRect(place.topLeft(), AtLeastItsLayout(window, AtMost(place.size(), room))));
}

void KeepBesideGrown(QMdiSubWindow* grown, const WindowValue& grownValue, QMdiSubWindow* neighbour,
                     const WindowValue& neighbourValue) {
    const QRect stored = PlaceOf(grownValue);
    const QRect beside = PlaceOf(neighbourValue);
    if (stored.isEmpty() || beside.isEmpty() || grownValue.State != 0 || neighbourValue.State != 0) return;
    if (beside.x() != stored.right() + 1 || grown->geometry().right() <= stored.right()) return;
    const QRect now = neighbour->geometry();
    const int left = grown->geometry().right() + 1;
    neighbour->setGeometry(QRect(QPoint(left, now.y()), QPoint(std::max(now.right(), left + kMinWidth - 1), now.bottom())));
}

void KeepChildReachable(QMdiArea* area, QMdiSubWindow* window) {
    if (window->isMinimized() || window->isMaximized()) return;
    // the whole window inside the work area, so every control shows: moved in, and cut to
    // the area where it is larger, never below what its layout needs (the area scrolls then)
    const QRect visible = area->viewport()->rect();
    const QSize size = AtLeastItsLayout(window, AtMost(AtLeastMinimum(window->size()), visible.size()));
    const int x = std::clamp(window->x(), 0, std::max(visible.width() - size.width(), 0));
    const int y = std::clamp(window->y(), 0, std::max(visible.height() - size.height(), 0));
    const QRect place(QPoint(x, y), size);
    if (place != window->geometry()) window->setGeometry(place);
}

void KeepOnScreen(QWidget* window) {
    if (window->isMinimized() || window->isMaximized()) return;
    if (window->width() < kMinWidth || window->height() < kMinHeight)
        window->resize(AtLeastMinimum(window->size()));
    // on the screen its top left corner is on, or the window's own screen
    QRect available = AvailableArea(window);
    const QRect frame = window->frameGeometry();
    for (const QScreen* screen : QGuiApplication::screens())
        if (screen->availableGeometry().contains(frame.topLeft() + QPoint(40, 10)))
            available = screen->availableGeometry();
    // all of it on that screen: cut to the screen, then moved in
    const QSize outer = AtMost(frame.size(), available.size());
    if (outer != frame.size()) window->resize(AtLeastMinimum(outer - FrameExtra(window)));
    const QSize now = window->frameGeometry().size();
    const int x = std::clamp(frame.x(), available.left(),
                             std::max(available.right() + 1 - now.width(), available.left()));
    const int y = std::clamp(frame.y(), available.top(),
                             std::max(available.bottom() + 1 - now.height(), available.top()));
    if (QPoint(x, y) != frame.topLeft()) window->move(x, y);
}

QRect ChildrenExtent(std::initializer_list<WindowValue> children) {
    QRect extent;
    for (const WindowValue& child : children) {
        const QRect place = PlaceOf(child);
        if (child.State == 0 && !place.isEmpty())
            extent |= QRect(QPoint(0, 0), place.bottomRight());
    }
    return extent;
}

void GrowToHold(QWidget* window, QSize workArea, const QRect& extent) {
    if (window->isMinimized() || window->isMaximized()) return;
    const QSize missing = (extent.size() - workArea).expandedTo(QSize(0, 0));
    if (missing.width() == 0 && missing.height() == 0) return;
    const QRect available = AvailableArea(window);
    const QSize outer = (window->frameGeometry().size() + missing).boundedTo(available.size());
    window->resize(AtLeastMinimum(outer - FrameExtra(window)));
    // grown, it may reach past the screen's edge: moved back so the whole of it shows
    const QRect frame = window->frameGeometry();
    const int x = std::clamp(frame.x(), available.left(),
                             std::max(available.right() + 1 - frame.width(), available.left()));
    const int y = std::clamp(frame.y(), available.top(),
                             std::max(available.bottom() + 1 - frame.height(), available.top()));
    window->move(x, y);
}

}  // namespace tessaly::window_places
