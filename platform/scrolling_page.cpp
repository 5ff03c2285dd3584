#include "platform/scrolling_page.h"

#include <QScrollArea>
#include <QStyle>
#include <QVBoxLayout>
#include <QWidget>

namespace kw::gui {

namespace {

// The least a scrolling window may be made, enough for both scroll bars and a little page.
constexpr QSize kSmallestWindow{120, 90};
const QString kPageName = QStringLiteral("page");

QScrollArea* scrollerOf(const QWidget* window) {
    return window->findChild<QScrollArea*>(QString(), Qt::FindDirectChildrenOnly);
}

// The scroll area is made only when the window first comes out smaller than its page.
QScrollArea* addScroller(QWidget* window, QWidget* page) {
    auto* scroller = new QScrollArea(window);
    scroller->setFrameShape(QFrame::NoFrame);
    // The page's controls take the focus, never the scroll area between them.
    scroller->setFocusPolicy(Qt::NoFocus);
    scroller->setWidget(page);
    auto* layout = new QVBoxLayout(window);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(scroller);
    scroller->show();
    return scroller;
}

}  // namespace

QWidget* addScrollingPage(QWidget* window, QSize pageSize) {
    auto* page = new QWidget(window);
    page->setObjectName(kPageName);
    page->setFixedSize(pageSize);
    window->setFixedSize(pageSize);
    return page;
}

int scrollBarBreadth(const QWidget* window) {
    return window->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, window);
}

void sizeScrollingWindow(QWidget* window, QSize inside) {
    QScrollArea* scroller = scrollerOf(window);
    QWidget* page = scroller != nullptr ? scroller->widget()
                                        : window->findChild<QWidget*>(kPageName, Qt::FindDirectChildrenOnly);
    if (inside == page->size()) {
        window->setFixedSize(page->size());
        return;
    }
    if (scroller == nullptr) {
        scroller = addScroller(window, page);
    }
    // Cut short in one direction, it may take a scroll bar's room in the other.
    const int bar = scrollBarBreadth(window);
    const QSize largest = page->size() + QSize(bar, bar);
    const QSize size = inside.boundedTo(largest);
    window->setMinimumSize(kSmallestWindow.boundedTo(size));
    window->setMaximumSize(largest);
    window->resize(size);
}

}  // namespace kw::gui
