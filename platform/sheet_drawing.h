#pragma once

// The printed toroid information sheet, drawn behind the data sheet's text boxes: title,
// ruled grid, labels and the cells the boxes lie in.

#include <QWidget>

namespace kw::gui {

class SheetDrawing : public QWidget {
    Q_OBJECT
public:
    explicit SheetDrawing(QWidget* parent = nullptr);

    // Colours of the paper and the ink, which the text boxes on the sheet share.
    static QColor paper();
    static QColor ink();

protected:
    void paintEvent(QPaintEvent* event) override;
};

}  // namespace kw::gui
