// The bare window is only a fair yardstick while it matches the game's window in size and in
// the kinds and numbers of controls; this catches either drifting apart.

#include "barewindow.h"
#include "ui/form1.h"

#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace {

struct Controls {
    qsizetype labels = 0;
    qsizetype lineEdits = 0;
    qsizetype buttons = 0;
    qsizetype frames = 0;
    qsizetype frameChildren = 0;
};

Controls countControls(const QWidget& window) {
    constexpr auto direct = Qt::FindDirectChildrenOnly;
    Controls controls;
    controls.labels = window.findChildren<QLabel*>(direct).size();
    controls.lineEdits = window.findChildren<QLineEdit*>(direct).size();
    controls.buttons = window.findChildren<QPushButton*>(direct).size();
    for (const QFrame* frame : window.findChildren<QFrame*>(direct)) {
        if (qobject_cast<const QLabel*>(frame) == nullptr) {
            ++controls.frames;
            controls.frameChildren += frame->findChildren<QWidget*>(direct).size();
        }
    }
    return controls;
}

} // namespace

class YardstickTest : public QObject {
    Q_OBJECT

private slots:
    void sameSize() {
        ui::Form1 game;
        BareWindow bare;
        QCOMPARE(bare.size(), game.size());
    }

    void sameControls() {
        ui::Form1 game;
        BareWindow bare;
        const Controls want = countControls(game);
        const Controls got = countControls(bare);
        QCOMPARE(want.frames, 1);
        QCOMPARE(got.labels, want.labels);
        QCOMPARE(got.lineEdits, want.lineEdits);
        QCOMPARE(got.buttons, want.buttons);
        QCOMPARE(got.frames, want.frames);
        QCOMPARE(got.frameChildren, want.frameChildren);
    }
};

QTEST_MAIN(YardstickTest)
#include "yardstick_test.moc"
