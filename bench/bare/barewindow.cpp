// SPDX-FileCopyrightText: 2026 Strickwichtspiel-Team
//
// SPDX-License-Identifier: MIT

#include "barewindow.h"

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
    // Ten plain pieces and two labels, like the figure.
    for (int piece = 0; piece < 10; ++piece) {
        auto* block = new QWidget(frame);
        block->setGeometry(10 + 45 * piece, 20 + 25 * piece, 40, 40);
    }
    (new QLabel(QStringLiteral("Eins"), frame))->setGeometry(19, 34, 179, 74);
    (new QLabel(QStringLiteral("Zwei"), frame))->setGeometry(131, 19, 219, 87);

    resize(483, 449);
    setWindowTitle(QStringLiteral("Fenster"));
}
