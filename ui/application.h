#pragma once

#include <QApplication>
#include <QTranslator>

namespace ui {

// The game's application: German toolkit texts, the default font and the desktop file name.
class Application : public QApplication {
public:
    Application(int& argc, char** argv);

    // Whether the command line asked for a style, which the platform then keeps.
    bool styleAsked() const { return m_styleAsked; }

private:
    Application(int& argc, char** argv, bool styleAsked);

    bool m_styleAsked;
    QTranslator m_toolkitTexts;
};

} // namespace ui
