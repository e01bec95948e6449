#include "WindowPlaces.h"

#include <QGuiApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QScreen>
#include <QStyle>
#include <algorithm>

#include "Twips.h"

namespace tessaly::WindowPlaces {

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

QRect PlaceOf(const WindowValue& value) {
    return QRect(TwipsToPixels(value.Left), TwipsToPixels(value.Top),
                 std::max(TwipsToPixels(value.Width), 1), std::max(TwipsToPixels(value.Height), 1));
}

}  // namespace

WindowValue Read(const QWidget* window) {
    const QRect frame = window->frameGeometry();
    const QRect normal = window->isMinimized() || window->isMaximized()
                             ? window->normalGeometry()
                             : QRect(frame.topLeft(), window->size());
    return {StateOf(window), static_cast<std::int32_t>(PixelsToTwips(normal.y())),
            static_cast<std::int32_t>(PixelsToTwips(normal.x())),
            static_cast<std::int32_t>(PixelsToTwips(normal.width())),
            static_cast<std::int32_t>(PixelsToTwips(normal.height()))};
}

void ApplyToMain(QWidget* window, const WindowValue& value) {
    ApplyState(window, value.State);
    const QRect place = PlaceOf(value);
    if (value.State == 0) {
        window->move(place.topLeft());
        window->resize(place.size());
    } else {
        window->setGeometry(place);  // kept as the normal place for when it is restored
        ApplyState(window, value.State);
    }
}

void ApplyToChild(QMdiSubWindow* window, const WindowValue& value) {
    ApplyState(window, value.State);
    if (value.State == 0) window->setGeometry(PlaceOf(value));
}

void KeepChildReachable(QMdiArea* area, QMdiSubWindow* window) {
    if (window->isMinimized() || window->isMaximized()) return;
    const QRect visible = area->viewport()->rect();
    const int titleHeight = window->style()->pixelMetric(QStyle::PM_TitleBarHeight);
    const QRect title(window->pos(), QSize(window->width(), titleHeight));
    const QRect shown = title.intersected(visible);
    if (shown.width() >= 40 && shown.height() == titleHeight) return;
    // keep the title bar inside so it can be grabbed; shrink what does not fit
    const QSize size(std::min(window->width(), visible.width()),
                     std::min(window->height(), visible.height()));
    const int x = std::clamp(window->x(), 0, std::max(visible.width() - size.width(), 0));
    const int y = std::clamp(window->y(), 0, std::max(visible.height() - size.height(), 0));
    window->setGeometry(QRect(QPoint(x, y), size));
}

void KeepOnScreen(QWidget* window) {
    if (window->isMinimized() || window->isMaximized()) return;
    const QRect frame = window->frameGeometry();
    for (const QScreen* screen : QGuiApplication::screens())
        if (screen->availableGeometry().contains(frame.topLeft() + QPoint(40, 10))) return;
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (screen == nullptr) return;
    const QRect available = screen->availableGeometry();
    const QSize size(std::min(window->width(), available.width()),
                     std::min(window->height(), available.height()));
    window->resize(size);
    window->move(available.topLeft() +
                 QPoint(std::max((available.width() - size.width()) / 2, 0),
                        std::max((available.height() - size.height()) / 2, 0)));
}

}  // namespace tessaly::WindowPlaces
