#include "ui/figure.h"
#include "ui/layout.h"
#include "uitest.h"

#include <QApplication>
#include <QFontInfo>
#include <QLineEdit>
#include <QPushButton>

using namespace uitest;

// The window as it stands: places, stacking, fonts, looks, focus. Pixel figures are at 96 dpi.
class LayoutTest : public QObject {
    Q_OBJECT

private slots:
    void init() {
        m_words = std::make_unique<WordFile>("Haus\r\n");
        m_form = openForm(*m_words, draws({0.9f}));
    }
    void cleanup() {
        m_form.reset();
        m_words.reset();
    }

    void geometry_data();
    void geometry();
    void stacking();
    void lines_data();
    void lines();
    void fonts_data();
    void fonts();
    void bitmapFaceGivesWay_data();
    void bitmapFaceGivesWay();
    void blackFaceFound_data();
    void blackFaceFound();
    void window();
    void focusAndTabOrder();

private:
    std::unique_ptr<WordFile> m_words;
    std::unique_ptr<ui::Form1> m_form;
};

// Written out, not converted from the table, so that a wrong row in the table fails here.
void LayoutTest::geometry_data() {
    QTest::addColumn<QString>("parent");
    QTest::addColumn<QRect>("rect");
    QTest::newRow("Label1") << "" << QRect(9, 2, 464, 29);
    QTest::newRow("Label2") << "" << QRect(4, 23, 476, 43);
    QTest::newRow("Fragewort") << "" << QRect(8, 67, 466, 37);
    QTest::newRow("textin") << "" << QRect(230, 67, 26, 32);
    QTest::newRow("spielneu") << "" << QRect(4, 102, 235, 30);
    QTest::newRow("ende") << "" << QRect(248, 102, 227, 30);
    QTest::newRow("item9a") << "" << QRect(2, 132, 476, 313);
    QTest::newRow("teil1") << "item9a" << QRect(13, 287, 115, 19);
    QTest::newRow("teil2") << "item9a" << QRect(123, 268, 133, 38);
    QTest::newRow("teil3") << "item9a" << QRect(233, 240, 231, 66);
    QTest::newRow("teil4") << "item9a" << QRect(242, 124, 110, 117);
    QTest::newRow("teil8") << "item9a" << QRect(237, 25, 61, 130);
    QTest::newRow("teil9") << "item9a" << QRect(157, 140, 62, 129);
    QTest::newRow("teil10") << "item9a" << QRect(19, 34, 179, 74);
    QTest::newRow("teil11") << "item9a" << QRect(131, 19, 219, 87);
    QTest::newRow("teil12") << "item9a" << QRect(162, 124, 187, 180);
}

void LayoutTest::geometry() {
    QFETCH(QString, parent);
    QFETCH(QRect, rect);
    const QWidget* widget = control(*m_form, QTest::currentDataTag());
    const QWidget* expectedParent =
        parent.isEmpty() ? m_form.get() : control(*m_form, qPrintable(parent));
    QCOMPARE(widget->parentWidget(), expectedParent);
    QCOMPARE(widget->geometry(), rect);
}

void LayoutTest::stacking() {
    const auto backToFront = [](const QWidget* parent) {
        QStringList names;
        for (const QObject* child : parent->children()) {
            if (child->isWidgetType() && !child->objectName().isEmpty()) {
                names << child->objectName();
            }
        }
        return names;
    };
    QCOMPARE(backToFront(m_form.get()), QStringList({"Label1", "Label2", "textin", "item9a", "ende",
                                                     "spielneu", "Fragewort"}));
    QStringList pieces(int(ui::figure::kPieces.size()));
    for (const ui::figure::Piece& piece : ui::figure::kPieces) {
        pieces[piece.stacking] = QString::fromLatin1(piece.name);
    }
    QCOMPARE(backToFront(control(*m_form, "item9a")), pieces);
    // Drawn pieces and labels lie on their container's surface: clicks pass through them.
    QList<const char*> drawn{"Label1", "Label2"};
    for (const ui::figure::Piece& piece : ui::figure::kPieces) {
        if (piece.kind != ui::figure::Kind::Picture) {
            drawn << piece.name;
        }
    }
    for (const char* name : drawn) {
        QVERIFY2(control(*m_form, name)->testAttribute(Qt::WA_TransparentForMouseEvents), name);
    }
}

void LayoutTest::lines_data() {
    QTest::addColumn<QPoint>("from");
    QTest::addColumn<QPoint>("to");
    QTest::newRow("teil5") << QPoint(420, 239) << QPoint(419, 21);
    QTest::newRow("teil6") << QPoint(428, 20) << QPoint(230, 21);
    QTest::newRow("teil7") << QPoint(322, 25) << QPoint(419, 91);
}

// Ten pixels wide between the end points, in very dark red, nothing else painted.
void LayoutTest::lines() {
    QFETCH(QPoint, from);
    QFETCH(QPoint, to);
    QWidget* frame = control(*m_form, "item9a");
    control(*m_form, QTest::currentDataTag())->show();
    const QImage image = shot(*frame);
    const QColor line(64, 0, 0);
    const QPointF mid = (QPointF(from) + QPointF(to)) / 2;
    QCOMPARE(image.pixelColor(from), line);
    QCOMPARE(image.pixelColor(to), line);
    QCOMPARE(image.pixelColor(mid.toPoint()), line);
    const QLineF normal = QLineF(from, to).normalVector().unitVector();
    const QPointF off = (normal.p2() - normal.p1()) * 8;
    QCOMPARE(image.pixelColor((mid + off).toPoint()), QColor(Qt::white));
    QCOMPARE(image.pixelColor((mid - off).toPoint()), QColor(Qt::white));
}

void LayoutTest::fonts_data() {
    QTest::addColumn<QStringList>("families"); // the face, then its stand-in
    QTest::addColumn<double>("points");
    QTest::addColumn<int>("weight"); // at least
    const QStringList arial{"Arial", "Liberation Sans"};
    const QStringList sansSerif{"MS Sans Serif", "Microsoft Sans Serif", "Liberation Sans"};
    QTest::newRow("Label1") << arial << 12.0 << 400;
    QTest::newRow("Label2") << sansSerif << 8.25 << 700;
    QTest::newRow("Fragewort") << QStringList{"Arial Black", "Lato"} << 18.0 << 900;
    QTest::newRow("textin") << sansSerif << 18.0 << 700;
    QTest::newRow("spielneu") << sansSerif << 8.25 << 700;
    QTest::newRow("ende") << sansSerif << 8.25 << 700;
    QTest::newRow("teil10") << arial << 24.0 << 700;
    QTest::newRow("teil11") << arial << 24.0 << 700;
}

void LayoutTest::fonts() {
    QFETCH(QStringList, families);
    QFETCH(double, points);
    QFETCH(int, weight);
    QTest::mouseClick(control(*m_form, "textin"), Qt::LeftButton); // the word box shows
    const QFontInfo info(control(*m_form, QTest::currentDataTag())->font());
    QVERIFY2(families.contains(info.family()), qPrintable(info.family()));
    QCOMPARE(info.pointSizeF(), points);
    QVERIFY(info.weight() >= weight);
    QCOMPARE(info.bold(), weight >= 700);
    QVERIFY(!info.italic());
}

void LayoutTest::bitmapFaceGivesWay_data() {
    QTest::addColumn<QStringList>("outlines");
    QTest::addColumn<QString>("chosen");
    QTest::newRow("outline twin") << QStringList{"Microsoft Sans Serif", "Liberation Sans"}
                                  << "Microsoft Sans Serif";
    QTest::newRow("stand-in only") << QStringList{"Liberation Sans"} << "Liberation Sans";
    QTest::newRow("no outline") << QStringList{} << "MS Sans Serif";
}

// MS Sans Serif, installed only as bitmaps, is the buttons' face as Windows ships it.
void LayoutTest::bitmapFaceGivesWay() {
    QFETCH(QStringList, outlines);
    QFETCH(QString, chosen);
    const auto installed = [&](std::string_view face) {
        const QString family = QString::fromUtf8(face.data(), qsizetype(face.size()));
        if (outlines.contains(family)) {
            return ui::layout::Installed::Outline;
        }
        return family == u"MS Sans Serif" ? ui::layout::Installed::BitmapOnly
                                          : ui::layout::Installed::No;
    };
    const ui::layout::Face face = ui::layout::chooseFace(ui::layout::kSansSerif8Bold, installed);
    QCOMPARE(QString::fromUtf8(face.family.data(), qsizetype(face.family.size())), chosen);
    QCOMPARE(face.weight, 700);
}

void LayoutTest::blackFaceFound_data() {
    QTest::addColumn<QStringList>("outlines");
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<int>("weight");
    QTest::newRow("own family") << QStringList{"Arial Black", "Arial"} << "Arial Black" << 700;
    QTest::newRow("a weight of Arial") << QStringList{"Arial"} << "Arial" << 900;
    QTest::newRow("stand-in before alias") << QStringList{"Lato", "Arial"} << "Lato" << 900;
}

// The word box's face, however the platform files it.
void LayoutTest::blackFaceFound() {
    QFETCH(QStringList, outlines);
    QFETCH(QString, chosen);
    QFETCH(int, weight);
    const auto installed = [&](std::string_view face) {
        return outlines.contains(QString::fromUtf8(face.data(), qsizetype(face.size())))
                   ? ui::layout::Installed::Outline
                   : ui::layout::Installed::No;
    };
    const ui::layout::Face face = ui::layout::chooseFace(ui::layout::kArialBlack18Bold, installed);
    QCOMPARE(QString::fromUtf8(face.family.data(), qsizetype(face.family.size())), chosen);
    QCOMPARE(face.weight, weight);
}

void LayoutTest::window() {
    QCOMPARE(m_form->windowTitle(), QStringLiteral("Strickwichtspiel"));
    QCOMPARE(m_form->size(), QSize(483, 449));
    QVERIFY(m_form->windowFlags() & Qt::WindowMaximizeButtonHint);
    QVERIFY(m_form->minimumSize() != m_form->maximumSize());
    for (const ui::figure::Piece& piece : ui::figure::kPieces) {
        if (piece.kind == ui::figure::Kind::Picture) {
            QVERIFY2(!control(*m_form, piece.name)->isEnabled(), piece.name);
        }
    }
    // Read-only rather than disabled, so that a screen reader does not call it unavailable.
    QVERIFY(control<QLineEdit>(*m_form, "Fragewort")->isReadOnly());
    for (const char* enabled : {"textin", "spielneu", "ende", "item9a"}) {
        QVERIFY2(control(*m_form, enabled)->isEnabled(), enabled);
    }
    for (const char* button : {"spielneu", "ende"}) {
        const auto* pushButton = control<QPushButton>(*m_form, button);
        QVERIFY(!pushButton->isDefault() && !pushButton->autoDefault());
    }
}

void LayoutTest::focusAndTabOrder() {
    const QStringList cycle{"ende", "textin", "spielneu", "ende"};
    QCOMPARE(QApplication::focusWidget(), control(*m_form, "ende"));
    for (const QString& name : cycle.mid(1)) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), control(*m_form, qPrintable(name)));
    }
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
    QCOMPARE(QApplication::focusWidget(), control(*m_form, "spielneu"));
}

QTEST_MAIN(LayoutTest)
#include "layout_test.moc"
