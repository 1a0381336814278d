#pragma once

#include <QWidget>

// The yardstick for the game's start-up: a plain window of the game's size holding the same
// kinds of controls, with the toolkit's default fonts and colours and no pictures.
class BareWindow : public QWidget {
public:
    explicit BareWindow(QWidget* parent = nullptr);
};
