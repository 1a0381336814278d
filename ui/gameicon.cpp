#include "ui/gameicon.h"

#include "ui/resources.h"

#include <QImage>
#include <QImageReader>
#include <QPixmap>

namespace ui {

QIcon gameIcon() {
    // Named as PNG, it is read without asking every image plugin first.
    QImageReader reader(QString::fromLatin1(res::kIcon), "png");
    reader.setAutoDetectImageFormat(false);
    return QIcon(QPixmap::fromImage(reader.read().convertToFormat(QImage::Format_ARGB32),
                                    Qt::NoFormatConversion));
}

} // namespace ui
