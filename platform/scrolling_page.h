#pragma once

// A window whose controls stand on a page of fixed size. At the page's own size the window
// is just that page; made smaller (a small screen, a large scale factor) the page moves into
// a scroll area that fills the window, instead of running off the screen.

#include <QSize>

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

}  // namespace kw::gui
