#include "app/commandline.h"

#include <QtTest>

class TestCommandLine : public QObject {
    Q_OBJECT

private slots:
    void scan_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("preset");
        QTest::addColumn<bool>("onTop");
        QTest::newRow("nothing") << QStringList{"tessaview"} << -1 << false;
        QTest::newRow("preset and on top")
            << QStringList{"tessaview", "-p", "3", "-o"} << 3 << true;
        QTest::newRow("last -p counts")
            << QStringList{"tessaview", "-p", "3", "-p", "5"} << 5 << false;
        QTest::newRow("trailing -p cancels")
            << QStringList{"tessaview", "-p", "3", "-o", "-p"} << -1 << true;
        QTest::newRow("not a number") << QStringList{"tessaview", "-p", "three"} << -1 << false;
        QTest::newRow("not a number keeps earlier")
            << QStringList{"tessaview", "-p", "4", "-p", "x"} << 4 << false;
        QTest::newRow("-o after -p is still -o")
            << QStringList{"tessaview", "-p", "-o"} << -1 << true;
        QTest::newRow("negative is passed on")
            << QStringList{"tessaview", "-p", "-3"} << -3 << false;
        QTest::newRow("others ignored") << QStringList{"tessaview", "--x", "p", "7"} << -1 << false;
        QTest::newRow("program path scanned") << QStringList{"-o"} << -1 << true;
    }
    void scan() {
        QFETCH(QStringList, arguments);
        QFETCH(int, preset);
        QFETCH(bool, onTop);
        const CommandLine result = parseCommandLine(arguments);
        QCOMPARE(result.preset, preset);
        QCOMPARE(result.stayOnTop, onTop);
    }
};

QTEST_GUILESS_MAIN(TestCommandLine)
#include "tst_commandline.moc"
