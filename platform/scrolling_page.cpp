#include "platform/scrolling_page.h"

#include <QScrollArea>
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

void sizeScrollingWindow(QWidget* window, QSize inside) {
    const QSize page = window->findChild<QScrollArea*>()->widget()->size();
    const QSize size = inside.boundedTo(page);
    if (size == page) {
        window->setFixedSize(page);
        return;
    }
    window->setMinimumSize(kSmallestWindow.boundedTo(size));
    window->setMaximumSize(page);
    window->resize(size);
}

}  // namespace kw::gui
