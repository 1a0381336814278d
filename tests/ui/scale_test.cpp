#include "ui/figure.h"
#include "ui/picturebox.h"
#include "uitest.h"

#include <QApplication>
#include <cstdlib>
#include <string_view>
#include <vector>

namespace {

// Mean difference per channel, 0 to 255.
double difference(const QImage& a, const QImage& b) {
    double sum = 0;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            sum += std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q)) +
                   std::abs(qBlue(p) - qBlue(q));
        }
    }
    return sum / (3.0 * a.width() * a.height());
}

// The picture pixel for pixel at the top-left of a white box of that many pixels.
QImage onWhite(const QString& file, QSize pixels) {
    QImage picture(file);
    picture.setDevicePixelRatio(1); // the @2x name would halve it
    QImage box(pixels, QImage::Format_RGB32);
    box.fill(Qt::white);
    QPainter(&box).drawImage(0, 0, picture);
    return box;
}

} // namespace

// Which picture a box draws at the screen's scale; ctest runs this at several QT_SCALE_FACTORs.
class ScaleTest : public QObject {
    Q_OBJECT

private slots:
    void pictureForTheScale_data() {
        QTest::addColumn<QString>("single");
        QTest::addColumn<QString>("twice");
        QTest::addColumn<QSize>("box");
        QTest::newRow("teil4") << ui::figure::piece(4).picture << ui::figure::piece(4).doublePicture
                               << QSize(110, 117);
        QTest::newRow("teil8") << ui::figure::piece(8).picture << ui::figure::piece(8).doublePicture
                               << QSize(61, 130);
        QTest::newRow("teil9") << ui::figure::piece(9).picture << ui::figure::piece(9).doublePicture
                               << QSize(62, 129);
        QTest::newRow("teil12, cut") << ui::figure::piece(12).picture
                                     << ui::figure::piece(12).doublePicture << QSize(187, 180);
    }

    void pictureForTheScale() {
        QFETCH(QString, single);
        QFETCH(QString, twice);
        QFETCH(QSize, box);
        ui::PictureBox picture(single, twice, Qt::white, nullptr);
        picture.resize(box);
        picture.show();
        QVERIFY(QTest::qWaitForWindowExposed(&picture));
        const qreal ratio = picture.devicePixelRatioF();
        QImage shown = uitest::shot(picture);
        shown.setDevicePixelRatio(1);
        const QImage fromSingle = onWhite(single, box);
        const QImage fromTwice = onWhite(twice, box * 2);
        if (ratio == 1.0) {
            QCOMPARE(shown, fromSingle);
        } else if (ratio == 2.0) {
            QCOMPARE(shown, fromTwice);
        } else {
            // Scaled smoothly from the double-size picture, not blown up from the small one.
            const auto scaled = [&](const QImage& image) {
                return image.scaled(shown.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
            };
            const double offTwice = difference(shown, scaled(fromTwice));
            const double offSingle = difference(shown, scaled(fromSingle));
            QVERIFY2(offTwice < offSingle / 2,
                     qPrintable(QStringLiteral("scale %1: %2 from the double picture, %3 from "
                                               "the single one")
                                    .arg(ratio)
                                    .arg(offTwice)
                                    .arg(offSingle)));
        }
    }

    // Wherever the focus is, a ring shows it, as wide at every scale; the others have none.
    void focusIsVisible_data() {
        QTest::addColumn<QString>("focused");
        for (const char* name : {"ende", "textin", "spielneu"}) {
            QTest::newRow(name) << QString::fromLatin1(name);
        }
    }

    void focusIsVisible() {
        QFETCH(QString, focused);
        const uitest::WordFile words("Haus\r\n");
        const auto form = uitest::openForm(words, uitest::draws({0.5f}));
        QWidget* target = uitest::control(*form, qPrintable(focused));
        target->setFocus();
        QCOMPARE(QApplication::focusWidget(), target);
        for (const char* name : {"ende", "textin", "spielneu"}) {
            QWidget* control = uitest::control(*form, name);
            const QImage image = uitest::shot(*control);
            const QColor ring(control->palette().color(QPalette::Highlight).darker(150).rgb());
            const int pixels = uitest::countPixels(image, image.rect(), ring);
            // Two pixels wide along the straight parts of all four sides, at the least.
            const qreal ratio = image.devicePixelRatio();
            const int sides = 2 * (image.width() + image.height()) - 16 * int(ratio * 2);
            if (control == target) {
                QVERIFY2(pixels >= int(2 * ratio) * sides, qPrintable(QString::number(pixels)));
            } else {
                QCOMPARE(pixels, 0);
            }
        }
    }
};

// The scale comes as an argument, QT_SCALE_FACTOR=2, and is set before Qt reads it: Wine hands
// no QT_ variable of its own environment to a Windows program.
int main(int argc, char** argv) {
    std::vector<char*> args;
    for (char** arg = argv; arg != argv + argc; ++arg) {
        const std::string_view text(*arg);
        const std::string_view variable = "QT_SCALE_FACTOR=";
        if (text.starts_with(variable)) {
            qputenv("QT_SCALE_FACTOR", QByteArray(text.substr(variable.size()).data()));
        } else {
            args.push_back(*arg);
        }
    }
    int count = int(args.size());
    args.push_back(nullptr); // argv[argc], as the C runtime leaves it
    QApplication app(count, args.data());
    ScaleTest test;
    return QTest::qExec(&test, count, args.data());
}
#include "scale_test.moc"
