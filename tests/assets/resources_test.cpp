#include "platform/desktop/desktop.h"
#include "ui/figure.h"
#include "ui/form1.h"
#include "ui/resources.h"

#include <QDir>
#include <QFile>
#include <QIcon>
#include <QImage>
#include <QImageReader>
#include <QTest>

namespace {

struct JpegFrame {
    int marker = 0; // 0xC0 baseline, 0xC2 progressive, ...; 0 when no frame header was found
    int precision = 0;
    int width = 0;
    int height = 0;
    int components = 0;
};

// Walks the marker segments to the first start-of-frame header.
JpegFrame readJpegFrame(const QByteArray& bytes) {
    const auto at = [&](qsizetype i) { return i < bytes.size() ? int(uchar(bytes[i])) : -1; };
    JpegFrame frame;
    if (at(0) != 0xFF || at(1) != 0xD8)
        return frame;
    qsizetype pos = 2;
    while (at(pos) == 0xFF) {
        const int marker = at(pos + 1);
        if (marker == 0xFF) { // fill byte
            ++pos;
            continue;
        }
        const bool isFrame =
            marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
        if (isFrame && at(pos + 9) >= 0) {
            frame.marker = marker;
            frame.precision = at(pos + 4);
            frame.height = at(pos + 5) << 8 | at(pos + 6);
            frame.width = at(pos + 7) << 8 | at(pos + 8);
            frame.components = at(pos + 9);
            return frame;
        }
        if (marker == 0xDA || at(pos + 3) < 0)
            return frame;
        pos += 2 + (at(pos + 2) << 8 | at(pos + 3));
    }
    return frame;
}

bool isWhite(QRgb pixel) {
    // JPEG ringing leaves white a few steps short of 255.
    return qRed(pixel) >= 240 && qGreen(pixel) >= 240 && qBlue(pixel) >= 240;
}

int inkIn(const QImage& image, const QRect& area) {
    int ink = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            ink += isWhite(image.pixel(x, y)) ? 0 : 1;
    return ink;
}

void addPictureRows() {
    QTest::addColumn<QString>("path");
    QTest::addColumn<QSize>("size");
    QTest::newRow("teil4") << QString(ui::figure::piece(4).picture) << QSize(76, 116);
    QTest::newRow("teil8") << QString(ui::figure::piece(8).picture) << QSize(41, 124);
    QTest::newRow("teil9") << QString(ui::figure::piece(9).picture) << QSize(45, 128);
    QTest::newRow("teil12") << QString(ui::figure::piece(12).picture) << QSize(189, 180);
    QTest::newRow("teil4@2x") << QString(ui::figure::piece(4).doublePicture) << QSize(152, 232);
    QTest::newRow("teil8@2x") << QString(ui::figure::piece(8).doublePicture) << QSize(82, 248);
    QTest::newRow("teil9@2x") << QString(ui::figure::piece(9).doublePicture) << QSize(90, 256);
    QTest::newRow("teil12@2x") << QString(ui::figure::piece(12).doublePicture) << QSize(378, 360);
}

} // namespace

class ResourcesTest : public QObject {
    Q_OBJECT

private slots:
    void pictureIsBaselineColourJpeg_data() { addPictureRows(); }
    void pictureIsBaselineColourJpeg() {
        QFETCH(QString, path);
        QFETCH(QSize, size);
        QFile file(path);
        QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(path + " is not compiled in"));
        const JpegFrame frame = readJpegFrame(file.readAll());
        QCOMPARE(frame.marker, 0xC0);
        QCOMPARE(frame.precision, 8);
        QCOMPARE(frame.components, 3);
        QCOMPARE(QSize(frame.width, frame.height), size);

        QImageReader reader(path);
        QCOMPARE(reader.format(), QByteArray("jpeg"));
        const QImage image = reader.read();
        QCOMPARE(image.size(), size);
        QVERIFY(!image.allGray());
        const QRect r = image.rect();
        for (const QPoint corner : {r.topLeft(), r.topRight(), r.bottomLeft(), r.bottomRight()})
            QVERIFY2(isWhite(image.pixel(corner)), "the background must be white");
    }

    // The figures stand on the platform and steps, and the rope hangs from the beam.
    void figuresReachTheirEdges() {
        const QImage teil4(ui::figure::piece(4).picture), teil8(ui::figure::piece(8).picture);
        const QImage teil9(ui::figure::piece(9).picture), teil12(ui::figure::piece(12).picture);
        QVERIFY(inkIn(teil4, QRect(0, teil4.height() - 1, teil4.width(), 1)) > 0);
        QVERIFY(inkIn(teil9, QRect(0, teil9.height() - 1, teil9.width(), 1)) > 0);
        QVERIFY(inkIn(teil12, QRect(0, teil12.height() - 1, teil12.width(), 1)) > 0);
        QVERIFY(inkIn(teil8, QRect(0, 0, teil8.width(), 1)) > 0);
    }

    // The window's box is 187 pixels wide and cuts off the last two columns, four at twice the
    // size.
    void teil12KeepsItsCutColumnsEmpty() {
        const QImage teil12(ui::figure::piece(12).picture),
            doubled(ui::figure::piece(12).doublePicture);
        QCOMPARE(inkIn(teil12, QRect(187, 0, 2, teil12.height())), 0);
        QCOMPARE(inkIn(doubled, QRect(374, 0, 4, doubled.height())), 0);
    }

    void iconIsOpaquePalettePng() {
        QImageReader reader(ui::res::kIcon);
        QCOMPARE(reader.format(), QByteArray("png"));
        const QImage icon = reader.read();
        QCOMPARE(icon.size(), QSize(500, 561));
        QCOMPARE(icon.format(), QImage::Format_Indexed8);
        QVERIFY(!icon.hasAlphaChannel());
        for (const QRgb entry : icon.colorTable())
            QCOMPARE(qAlpha(entry), 255);
        const QRgb ground = icon.pixel(0, 0);
        QVERIFY2(qRed(ground) > 200 && qGreen(ground) > 180 && qBlue(ground) < 120,
                 "the gallows stands on yellow");
    }

    // Every picture named in the figure's table and the icon are compiled in, and nothing
    // compiled in goes unnamed.
    void resourcesAreTheNamedOnes() {
        QStringList named{QString::fromLatin1(ui::res::kIcon)};
        for (const ui::figure::Piece& piece : ui::figure::kPieces) {
            if (piece.picture != nullptr)
                named << QString::fromLatin1(piece.picture)
                      << QString::fromLatin1(piece.doublePicture);
        }
        QStringList compiled;
        for (const QString& name : QDir(QStringLiteral(":/")).entryList(QDir::Files))
            compiled << QStringLiteral(":/") + name;
        named.sort();
        compiled.sort();
        QCOMPARE(compiled, named);
    }

    void windowCarriesIcon() {
        ui::Form1 form;
        desktop::attach(form);
        form.show();
        QTRY_VERIFY(form.windowIcon().availableSizes().contains(QSize(500, 561)));
    }
};

QTEST_MAIN(ResourcesTest)
#include "resources_test.moc"
