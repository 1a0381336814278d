#include <QTest>
#include <QTranslator>

// The browser carries Qt's German texts cut down by swp_cut_qt_texts; what it keeps must read
// as in the whole file, and the rest must be gone.
class ToolkitTextsTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        QVERIFY(m_whole.load(QStringLiteral(SWP_QTBASE_WHOLE)));
        QVERIFY(m_cut.load(QStringLiteral(SWP_QTBASE_CUT)));
    }

    void sameAsWhole_data() {
        QTest::addColumn<QByteArray>("context");
        QTest::addColumn<QByteArray>("source");
        QTest::addColumn<bool>("kept");
        QTest::newRow("context menu") << QByteArray("QLineEdit") << QByteArray("&Undo") << true;
        QTest::newRow("last of the menu")
            << QByteArray("QLineEdit") << QByteArray("Select All") << true;
        QTest::newRow("key in the menu") << QByteArray("QShortcut") << QByteArray("Ctrl") << true;
        QTest::newRow("layout direction")
            << QByteArray("QGuiApplication") << QByteArray("QT_LAYOUT_DIRECTION") << true;
        QTest::newRow("action") << QByteArray("QAccessibleActionInterface") << QByteArray("Press")
                                << true;
        QTest::newRow("message box")
            << QByteArray("QMessageBox") << QByteArray("Show Details...") << false;
        QTest::newRow("file dialog") << QByteArray("QFileDialog") << QByteArray("Open") << false;
    }

    void sameAsWhole() {
        QFETCH(QByteArray, context);
        QFETCH(QByteArray, source);
        QFETCH(bool, kept);
        const QString whole = m_whole.translate(context, source);
        QVERIFY2(!whole.isEmpty(), "the whole file no longer has this text");
        QCOMPARE(m_cut.translate(context, source), kept ? whole : QString());
    }

private:
    QTranslator m_whole;
    QTranslator m_cut;
};

QTEST_GUILESS_MAIN(ToolkitTextsTest)
#include "toolkit_texts_test.moc"
