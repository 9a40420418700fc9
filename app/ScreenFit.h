#pragma once

#include <QGuiApplication>
#include <QScreen>
#include <QStyle>
#include <QWidget>

#include <algorithm>

namespace kx9 {

// Keeps a top-level window, frame included, on its screen's free area:
// shrunk to fit, and moved to the middle when centre is asked for or when it
// runs off that area.
inline void fitToScreen(QWidget &window, bool centre)
{
    QScreen *screen = window.screen() ? window.screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect available = screen->availableGeometry();
    // The title bar and borders count too. Before the window manager has
    // framed the window they are not known, so a usual frame is assumed.
    const QRect inner = window.geometry();
    const QRect outer = window.frameGeometry();
    QMargins frame(inner.left() - outer.left(), inner.top() - outer.top(),
                   outer.right() - inner.right(), outer.bottom() - inner.bottom());
    if (frame.isNull()) {
        const QStyle *style = window.style();
        const int border = style->pixelMetric(QStyle::PM_DefaultFrameWidth) + 2;
        frame =
            QMargins(border, style->pixelMetric(QStyle::PM_TitleBarHeight) + 12, border, border);
    }
    const QSize room = available.size().shrunkBy(frame);
    const QSize size = window.size();
    if (!centre && size.width() <= room.width() && size.height() <= room.height() &&
        available.contains(outer))
        return;
    window.resize(size.boundedTo(room));
    const QSize framed = window.size().grownBy(frame);
    window.move(available.left() + std::max(0, (available.width() - framed.width()) / 2),
                available.top() + std::max(0, (available.height() - framed.height()) / 2));
}

} // namespace kx9
