#include "platform/help_window.h"

#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QScreen>
#include <QTextBrowser>
#include <QVBoxLayout>

#include "common/text.h"
#include "common/window_placement.h"
#include "platform/scrolling_page.h"
#include "platform/toroid_art.h"

namespace kw::gui {

namespace {
constexpr int kHelpWidth = 640;   // [px]
constexpr int kHelpHeight = 720;  // [px]
constexpr qint64 kMaxHelpBytes = 4 * 1024 * 1024;
}  // namespace

HelpWindow::HelpWindow(QWidget* parent) : QWidget(parent, Qt::Window), browser_(new QTextBrowser(this)) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(browser_);
    browser_->setOpenExternalLinks(true);
    setWindowIcon(toroidIcon());
    resize(kHelpWidth, kHelpHeight);
}

void HelpWindow::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}

bool HelpWindow::showFile(const QString& path, bool toFront) {
    const QFileInfo info(path);
    const QString canonical = info.canonicalFilePath();
    if (canonical.isEmpty() || !info.isFile()) {
        return false;
    }
    if (canonical != shown_) {
        QFile file(canonical);
        if (!file.open(QIODevice::ReadOnly) || file.size() > kMaxHelpBytes) {
            return false;
        }
        const QByteArray bytes = file.readAll();
        const std::string text = DecodeFileText(std::string_view(bytes.constData(), bytes.size()));
        browser_->setSearchPaths({info.absolutePath()});
        browser_->setHtml(QString::fromStdString(text));
        shown_ = canonical;
        const QString title = browser_->documentTitle();
        setWindowTitle(title.isEmpty() ? info.fileName() : title);
    }
    if (!toFront) {
        return true;
    }
    if (!placed_) {
        // First showing: as large as it was made, as far as the screen lets it, in the middle.
        resize(fittedToScreen(QSize(kHelpWidth, kHelpHeight)));
        if (const QScreen* screen = QGuiApplication::primaryScreen()) {
            // The window manager's title bar comes on top of the window's own height.
            const QRect area = screen->availableGeometry();
            const kw::Rect placed = kw::placeCentred({area.x(), area.y(), area.width(), area.height()},
                                                     {width(), height() + frameAllowance().height()});
            move(placed.left, placed.top);
        }
        placed_ = true;
    }
    show();
    if (isMinimized()) {
        showNormal();
    }
    raise();
    activateWindow();
    return true;
}

}  // namespace kw::gui
