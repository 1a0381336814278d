#include "barewindow.h"

#include "ui/figure.h"

#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

BareWindow::BareWindow(QWidget* parent) : QWidget(parent) {
    auto* heading = new QLabel(QStringLiteral("Ein schlichtes Fenster"), this);
    heading->setGeometry(9, 2, 464, 29);
    auto* text = new QLabel(QStringLiteral("Zwei Zeilen Text, zwei Eingabefelder, zwei Knöpfe "
                                           "und ein Rahmen mit zwölf Teilen."),
                            this);
    text->setGeometry(4, 23, 476, 43);
    text->setWordWrap(true);

    auto* output = new QLineEdit(QStringLiteral("- - - - -"), this);
    output->setGeometry(8, 67, 466, 37);
    output->setEnabled(false);
    auto* input = new QLineEdit(QStringLiteral("?"), this);
    input->setGeometry(230, 67, 26, 32);

    auto* left = new QPushButton(QStringLiteral("Links"), this);
    left->setGeometry(4, 102, 235, 30);
    auto* right = new QPushButton(QStringLiteral("Rechts"), this);
    right->setGeometry(248, 102, 227, 30);

    auto* frame = new QFrame(this);
    frame->setGeometry(2, 132, 476, 313);
    frame->setFrameStyle(QFrame::Box | QFrame::Sunken);
    // As many plain pieces and labels as the figure's table has, the labels in their places.
    int blocks = 0;
    for (const ui::figure::Piece& piece : ui::figure::kPieces) {
        if (piece.kind == ui::figure::Kind::Label) {
            const ui::layout::Twips place = std::get<ui::layout::Box>(piece.shape).rect;
            const int twips = ui::layout::kTwipsPerPixel;
            (new QLabel(QStringLiteral("Text"), frame))
                ->setGeometry(place.left / twips, place.top / twips, place.width / twips,
                              place.height / twips);
        } else {
            auto* block = new QWidget(frame);
            block->setGeometry(10 + 45 * blocks, 20 + 25 * blocks, 40, 40);
            ++blocks;
        }
    }

    resize(483, 449);
    setWindowTitle(QStringLiteral("Fenster"));
}
