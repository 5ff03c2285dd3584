#pragma once

// The program's help window: shows one help file (HTML) at a time.

#include <QString>
#include <QWidget>

class QTextBrowser;

namespace kw::gui {

class HelpWindow : public QWidget {
    Q_OBJECT
public:
    explicit HelpWindow(QWidget* parent = nullptr);

    // Makes the file the one on display and, with toFront, brings the window to the front; a
    // file that is already on display is not reloaded. False when the file cannot be read.
    bool showFile(const QString& path, bool toFront = true);
    QString shownFile() const { return shown_; }

protected:
    // Escape closes the window.
    void keyPressEvent(QKeyEvent* event) override;

private:
    QTextBrowser* browser_;
    QString shown_;
    bool placed_ = false;
};

}  // namespace kw::gui
