#include "barewindow.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    BareWindow window;
    window.show();
    return app.exec();
}
