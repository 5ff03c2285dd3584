#include "platform/scrolling_page.h"

#include <QScrollArea>
#include <QStyle>
#include <QVBoxLayout>
#include <QWidget>

namespace kw::gui {

namespace {
// The least a scrolling window may be made, enough for both scroll bars and a little page.
constexpr QSize kSmallestWindow{120, 90};
}  // namespace

QWidget* addScrollingPage(QWidget* window, QSize pageSize) {
    auto* scroller = new QScrollArea(window);
    scroller->setFrameShape(QFrame::NoFrame);
    // The page's controls take the focus, never the scroll area between them.
    scroller->setFocusPolicy(Qt::NoFocus);
    auto* page = new QWidget;
    page->setFixedSize(pageSize);
    scroller->setWidget(page);
    auto* layout = new QVBoxLayout(window);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(scroller);
    window->setFixedSize(pageSize);
    return page;
}

int scrollBarBreadth(const QWidget* window) {
    return window->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, window);
}

void sizeScrollingWindow(QWidget* window, QSize inside) {
    const QSize page = window->findChild<QScrollArea*>()->widget()->size();
    if (inside == page) {
        window->setFixedSize(page);
        return;
    }
    // Cut short in one direction, it may take a scroll bar's room in the other.
    const int bar = scrollBarBreadth(window);
    const QSize largest = page + QSize(bar, bar);
    const QSize size = inside.boundedTo(largest);
    window->setMinimumSize(kSmallestWindow.boundedTo(size));
    window->setMaximumSize(largest);
    window->resize(size);
}

}  // namespace kw::gui
