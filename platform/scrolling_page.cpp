#include "platform/scrolling_page.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QStyle>
#include <QVBoxLayout>
#include <QWidget>
#include <algorithm>

#include "common/window_placement.h"

namespace kw::gui {

namespace {

// The least a scrolling window may be made, enough for both scroll bars and a little page.
constexpr QSize kSmallestWindow{120, 90};
const QString kPageName = QStringLiteral("page");
const QString kBodyScroller = QStringLiteral("bodyScroller");
// What the window manager adds around a window, in logical pixels, generously.
constexpr int kTitleBarAllowance = 34;
constexpr int kBorderAllowance = 8;  // both sides together

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

ScrollingBody addScrollingBody(QWidget* window) {
    auto* outer = new QVBoxLayout(window);
    auto* scroller = new QScrollArea;
    scroller->setObjectName(kBodyScroller);
    scroller->setFrameShape(QFrame::NoFrame);
    scroller->setFocusPolicy(Qt::NoFocus);
    scroller->setWidgetResizable(true);
    scroller->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    auto* body = new QWidget;
    body->setObjectName(QStringLiteral("body"));
    scroller->setWidget(body);
    outer->addWidget(scroller, 1);
    auto* row = new QHBoxLayout;
    outer->addLayout(row);
    return {body, row};
}

QSize frameAllowance() {
    return {kBorderAllowance, kTitleBarAllowance};
}

QSize fittedToScreen(QSize wanted) {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (screen == nullptr) {
        return wanted;
    }
    const QSize room = screen->availableGeometry().size() - frameAllowance();
    return wanted.boundedTo(room);
}

void fitScrollingWindow(QWidget* window, int width) {
    auto* scroller = window->findChild<QScrollArea*>(kBodyScroller);
    if (scroller == nullptr) {
        return;
    }
    QWidget* body = scroller->widget();
    const QSize content = body->sizeHint().expandedTo(body->minimumSizeHint());
    const int bodyWidth = std::max(width, content.width());
    const int bodyHeight = body->hasHeightForWidth()
                               ? std::max(content.height(), body->heightForWidth(bodyWidth))
                               : content.height();
    // The window's own margins and button row around the body, and room for a scroll bar.
    const QSize around = window->sizeHint() - scroller->sizeHint();
    const int bar = scroller->verticalScrollBar()->sizeHint().width();
    const QSize wanted(bodyWidth + around.width() + bar, bodyHeight + std::max(0, around.height()));
    window->resize(fittedToScreen(wanted));
}

QPoint placeBesideOwner(const QWidget& owner, QSize outer, int gap) {
    const QScreen* screen = owner.screen();
    const QRect of = owner.frameGeometry();
    if (screen == nullptr) {
        return of.topLeft();
    }
    const QRect area = screen->availableGeometry();
    const kw::Rect placed =
        kw::placeBeside({area.x(), area.y(), area.width(), area.height()},
                        {of.x(), of.y(), of.width(), of.height()}, {outer.width(), outer.height()}, gap);
    return {placed.left, placed.top};
}

}  // namespace kw::gui
