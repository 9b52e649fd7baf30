#include "ui/shell/window_geometry.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include <algorithm>
#include <limits>

namespace {
// How much of the window's top strip must be visible to grab it.
constexpr int kGrabWidth = 48;
constexpr int kGrabHeight = 24;

long long DistanceSquared(const QRect& r, const QPoint& p) {
    const long long dx = p.x() < r.left() ? r.left() - p.x() : (p.x() > r.right() ? p.x() - r.right() : 0);
    const long long dy = p.y() < r.top() ? r.top() - p.y() : (p.y() > r.bottom() ? p.y() - r.bottom() : 0);
    return dx * dx + dy * dy;
}
} // namespace

QRect PlaceOnScreens(const QRect& stored, const QList<QRect>& screens) {
    if (screens.isEmpty()) return stored;
    QRect r = stored;
    if (r.width() < 1) r.setWidth(1);
    if (r.height() < 1) r.setHeight(1);
    // The screen that shows the top strip (where the title bar is grabbed), else the nearest one.
    const QRect grab(r.left(), r.top(), r.width(), std::min(r.height(), kGrabHeight));
    const QRect* home = nullptr;
    for (const QRect& s : screens) {
        const QRect seen = s.intersected(grab);
        if (seen.width() >= std::min(kGrabWidth, r.width()) &&
            seen.height() >= std::min(kGrabHeight, r.height())) {
            home = &s;
            break;
        }
    }
    const bool grabbable = home != nullptr;
    if (!home) {
        long long bestDistance = std::numeric_limits<long long>::max();
        for (const QRect& s : screens) {
            const long long d = DistanceSquared(s, r.center());
            if (d < bestDistance) {
                bestDistance = d;
                home = &s;
            }
        }
    }
    // Never larger than that screen. A window that can be grabbed keeps its place unless it had to
    // shrink; then, like one that cannot be grabbed, it is moved to lie on the screen whole.
    const bool shrunk = r.width() > home->width() || r.height() > home->height();
    r.setWidth(std::min(r.width(), home->width()));
    r.setHeight(std::min(r.height(), home->height()));
    if (!shrunk && grabbable) return r;
    const int x = std::clamp(r.left(), home->left(), home->right() + 1 - r.width());
    const int y = std::clamp(r.top(), home->top(), home->bottom() + 1 - r.height());
    r.moveTo(x, y);
    return r;
}

strFirstLayout FirstStartLayout(const QRect& screen) {
    // Room for the frames the window system adds around each window (title bar and borders).
    constexpr int kMargin = 8, kFrameGap = 40, kMinSide = 240;
    strFirstLayout l;
    const int sideWidth = std::max(kMinSide, screen.width() / 3 - 3 * kMargin);
    const int mainWidth =
        std::max(kMinSide, std::min(screen.width() * 2 / 3, screen.width() - sideWidth - 3 * kMargin));
    const int mainHeight =
        std::max(kMinSide, std::min(screen.height() * 3 / 4, screen.height() - kFrameGap - kMargin));
    l.main = QRect(screen.left() + kMargin, screen.top() + kMargin, mainWidth, mainHeight);
    const int sideX = l.main.right() + 1 + 2 * kMargin;
    const int column = std::max(2 * kMinSide, screen.height() - 2 * kFrameGap - 2 * kMargin);
    const int listHeight = column * 11 / 20;
    l.list = QRect(sideX, screen.top() + kMargin, sideWidth, listHeight);
    l.palette = QRect(sideX, l.list.bottom() + 1 + kFrameGap, sideWidth, column - listHeight);
    return l;
}

QPoint PlaceBeside(const QSize& size, const QRect& frame, const QRect& screen) {
    const int y =
        std::clamp(frame.top(), screen.top(), std::max(screen.top(), screen.bottom() + 1 - size.height()));
    if (frame.right() + 1 + size.width() <= screen.right() + 1) return {frame.right() + 1, y};
    if (frame.left() - size.width() >= screen.left()) return {frame.left() - size.width(), y};
    return {std::max(screen.left(), screen.right() + 1 - size.width()),
            std::max(screen.top(), screen.bottom() + 1 - size.height())};
}

void MoveBeside(QWidget* window, const QWidget* mainWindow) {
    const QScreen* screen = mainWindow->screen();
    if (!screen) return;
    window->adjustSize();
    // The frame is known once the window was shown; before that the client size stands for it.
    const QSize size = window->frameGeometry().size().expandedTo(window->size());
    window->move(PlaceBeside(size, mainWindow->frameGeometry(), screen->availableGeometry()));
}

QList<QRect> AvailableScreens() {
    QList<QRect> out;
    for (const QScreen* s : QGuiApplication::screens())
        out.append(s->availableGeometry());
    return out;
}

void RestoreWindowRect(QWidget* window, int x, int y, int width, int height) {
    const QRect r = PlaceOnScreens(QRect(x, y, width, height), AvailableScreens());
    window->resize(r.size());
    window->move(r.topLeft());
}

QRect StoredWindowRect(const QWidget* window) {
    if (window->isMinimized() || window->isMaximized() || window->isFullScreen()) {
        const QRect normal = window->normalGeometry();
        if (normal.isValid()) return normal;
    }
    return QRect(window->pos(), window->size());
}
