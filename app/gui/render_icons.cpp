// render_icons: draws the program's icon as PNG files for the desktop's icon theme.
//   render_icons OUTDIR SIZE...   writes OUTDIR/<SIZE>x<SIZE>/apps/kernwijs.png

#include <QDir>
#include <QImage>
#include <QPainter>
#include <cstdio>
#include <cstdlib>

#include "platform/toroid_art.h"

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s OUTDIR SIZE...\n", argv[0]);
        return 2;
    }
    const QString out = QString::fromLocal8Bit(argv[1]);
    for (int i = 2; i < argc; ++i) {
        const int size = std::atoi(argv[i]);
        if (size <= 0) {
            std::fprintf(stderr, "not a size: %s\n", argv[i]);
            return 2;
        }
        QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        {
            QPainter painter(&image);
            kw::gui::paintToroid(painter, QRectF(0, 0, size, size));
        }
        const QString dir = QStringLiteral("%1/%2x%2/apps").arg(out).arg(size);
        if (!QDir().mkpath(dir) || !image.save(dir + QStringLiteral("/kernwijs.png"))) {
            std::fprintf(stderr, "cannot write the %d pixel icon under %s\n", size, argv[1]);
            return 1;
        }
    }
    return 0;
}
