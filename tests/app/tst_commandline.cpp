#include "app/commandline.h"

#include "buildinfo.h"

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

    void infoRequest_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("request");
        const int none = int(InfoRequest::None), help = int(InfoRequest::Help),
                  version = int(InfoRequest::Version);
        QTest::newRow("nothing") << QStringList{"tessaview", "-p", "3", "-o"} << none;
        QTest::newRow("help") << QStringList{"tessaview", "--help"} << help;
        QTest::newRow("version after options")
            << QStringList{"tessaview", "-p", "3", "-o", "--version"} << version;
        QTest::newRow("first one wins")
            << QStringList{"tessaview", "--version", "--help"} << version;
        // "-p" does not consume a value that is not a number.
        QTest::newRow("-p then help") << QStringList{"tessaview", "-p", "--help"} << help;
        QTest::newRow("Qt options") << QStringList{"tessaview", "-platform", "xcb"} << none;
        // Only the whole words: everything else stays ignored as before.
        QTest::newRow("look-alikes")
            << QStringList{"tessaview", "-h", "-help", "--helpme", "-v", "-version", "--Help"}
            << none;
        QTest::newRow("program path not a request") << QStringList{"--help"} << none;
    }
    void infoRequest() {
        QFETCH(QStringList, arguments);
        QFETCH(int, request);
        QCOMPARE(int(findInfoRequest(arguments)), request);
    }

    void texts() {
        const QString help = helpText(QStringLiteral("/home/u/.config/x/Tessaview.conf"));
        QVERIFY(help.startsWith(QStringLiteral("Usage: tessaview [-p N] [-o]")));
        QVERIFY(help.contains(QStringLiteral("\n  /home/u/.config/x/Tessaview.conf\n")));
        QVERIFY(help.contains(QStringLiteral("6454  Art-Net")));
        QVERIFY(help.contains(QStringLiteral("5568  streaming ACN")));
        QVERIFY(versionText().startsWith(QStringLiteral("Tessaview 2.8.3.0\nQt ")));
        // The running Qt, not only the one we were built with.
        QVERIFY(versionText().contains(QStringLiteral("Qt %1 (").arg(qVersion())));
    }

    void settingsFileFollowsConfigHome() {
        const bool wasSet = qEnvironmentVariableIsSet("XDG_CONFIG_HOME");
        const QByteArray saved = qgetenv("XDG_CONFIG_HOME");
        qputenv("XDG_CONFIG_HOME", "/tmp/elsewhere");
        const QString path = settingsFilePath();
        if (wasSet)
            qputenv("XDG_CONFIG_HOME", saved);
        else
            qunsetenv("XDG_CONFIG_HOME");
        QCOMPARE(path, QStringLiteral("/tmp/elsewhere/%1/Tessaview.conf")
                           .arg(QString::fromLatin1(BuildInfo::makerWeb)));
    }
};

QTEST_GUILESS_MAIN(TestCommandLine)
#include "tst_commandline.moc"
