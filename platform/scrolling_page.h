#pragma once

// A window whose controls stand on a page of fixed size. At the page's own size the window
// is just that page; made smaller (a small screen, a large scale factor) the page moves into
// a scroll area that fills the window, instead of running off the screen.

#include <QPoint>
#include <QSize>

class QBoxLayout;
class QWidget;

namespace kw::gui {

// Gives the window its page and returns it; the window is fixed at the page's size.
QWidget* addScrollingPage(QWidget* window, QSize pageSize);

// Sizes the inside of a window made by addScrollingPage. At the page's size the window stays
// fixed as before; otherwise it scrolls and the user may resize it up to the page's size and
// a scroll bar.
void sizeScrollingWindow(QWidget* window, QSize inside);
// The breadth of the window's scroll bars.
int scrollBarBreadth(const QWidget* window);

// A window whose content may be larger than the screen: the content scrolls in a body above
// a row that stays in view at the bottom (the window's buttons). Returns the body, on which
// the content is laid out; the row goes into the layout `buttonRow` gives back.
struct ScrollingBody {
    QWidget* body;
    QBoxLayout* buttonRow;
};
ScrollingBody addScrollingBody(QWidget* window);
// The size a window's inside may take: the wanted size, as far as the free area of the
// primary screen lets it, less what the window manager adds around it.
QSize fittedToScreen(QSize wanted);
// What the window manager adds around a window, generously: both borders, and the title bar
// with the lower border.
QSize frameAllowance();
// Sizes a window made by addScrollingBody to show its whole content where the screen allows,
// at least `width` wide.
void fitScrollingWindow(QWidget* window, int width = 0);
// Where a window of the given outer size, opened from `owner`, puts its top left corner:
// beside the owner on the owner's screen, `gap` apart (kw::placeBeside). The owner's own
// place when it has no screen.
QPoint placeBesideOwner(const QWidget& owner, QSize outer, int gap);

}  // namespace kw::gui
