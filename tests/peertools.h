#pragma once

#include <QElapsedTimer>
#include <QEventLoop>
#include <QProcess>
#include <QRegularExpression>
#include <QTimer>
#include <QtTest>

#include <cstdio>
#include <initializer_list>
#include <vector>

#include <unistd.h>

// What the tests against OLA's daemon and Wireshark's dissector share: entering the harness
// scripts/ola-peer.sh sets up, running OLA's clients in olad's namespace, and capturing and
// reading Art-Net traffic with tshark.
namespace Peer {

// Without the harness around it, a test program hands itself to scripts/ola-peer.sh, which
// sets up the namespaces and olad and runs it again; exit status 77 means "skipped". Returns -1
// when already inside the harness, else the status to exit with.
inline int enterHarness(int argc, char **argv, std::initializer_list<const char *> harnessArgs) {
    if (qgetenv("TESSAVIEW_PEER_NS") == "1")
        return -1;
    const QByteArray sourceDir = qgetenv("TESSAVIEW_SOURCE_DIR");
    if (sourceDir.isEmpty()) {
        fprintf(stderr, "TESSAVIEW_SOURCE_DIR is not set; skipped\n");
        return 77;
    }
    static QByteArray harness = sourceDir + "/scripts/ola-peer.sh";
    std::vector<char *> args{harness.data()};
    for (const char *a : harnessArgs)
        args.push_back(const_cast<char *>(a));
    args.push_back(const_cast<char *>("--"));
    for (int i = 0; i < argc; ++i)
        args.push_back(argv[i]);
    args.push_back(nullptr);
    execv(harness.constData(), args.data());
    perror("scripts/ola-peer.sh");
    return 2;
}

struct OlaRun {
    bool finished = false;
    int exitCode = -1;
    QByteArray output;
    bool ok() const { return finished && exitCode == 0; }
};

// Runs an OLA client as nobody in olad's namespace, with `input` on its standard input. The
// event loop keeps running meanwhile: OLA's requests are answered by objects in this process.
// `runner` names the harness variable of the daemon (TESSAVIEW_OLA_RUN2 for the second one).
inline OlaRun runOla(const QStringList &arguments, const QByteArray &input = {},
                     int timeoutMs = 15000, const char *runner = "TESSAVIEW_OLA_RUN") {
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    QEventLoop loop;
    QObject::connect(&process, &QProcess::finished, &loop, &QEventLoop::quit);
    QObject::connect(&process, &QProcess::errorOccurred, &loop, &QEventLoop::quit);
    QTimer::singleShot(timeoutMs, &loop, &QEventLoop::quit);
    process.start(qEnvironmentVariable(runner), arguments);
    if (!input.isEmpty()) {
        process.write(input);
        process.waitForBytesWritten(5000);
        // ola_streaming_client's sends are one-way: closing its input at once can lose them.
        QTest::qWait(500);
    }
    process.closeWriteChannel();
    if (process.state() != QProcess::NotRunning)
        loop.exec();
    OlaRun run;
    run.finished =
        process.state() == QProcess::NotRunning && process.exitStatus() == QProcess::NormalExit;
    if (!run.finished) {
        process.kill();
        process.waitForFinished(5000);
    }
    run.exitCode = process.exitCode();
    run.output = process.readAll();
    if (!run.ok())
        qWarning("%s: exit %d\n%s", qPrintable(arguments.join(u' ')), run.exitCode,
                 run.output.constData());
    return run;
}

// OLA's level list: "v1,v2,...".
inline QString levelList(const QByteArray &levels) {
    QStringList parts;
    for (char c : levels)
        parts << QString::number(quint8(c));
    return parts.join(u',');
}

// What OLA's clients print when a response is missing, late, malformed, does not match the
// request ("Error: " with OLA's status text) or is refused ("Request NACKed: ").
inline const QRegularExpression
    olaFailure(QStringLiteral("error|nack|invalid|malformed|mismatch|timeout"),
               QRegularExpression::CaseInsensitiveOption);

// Starts tshark capturing Art-Net on the interfaces given into `file` (`more`: further options)
// and waits until it captures. "" on success, else what tshark said.
inline QString startArtNetCapture(QProcess &capturing, const QString &tshark,
                                  const QStringList &interfaces, const QString &file,
                                  const QStringList &more = {}) {
    QStringList args;
    for (const QString &interface : interfaces)
        args << QStringLiteral("-i") << interface;
    args << QStringLiteral("-f") << QStringLiteral("udp port 6454") << more << QStringLiteral("-q")
         << QStringLiteral("-w") << file;
    capturing.start(tshark, args);
    QByteArray log;
    QElapsedTimer waited;
    waited.start();
    while (!(log += capturing.readAllStandardError()).contains("Capturing on") &&
           capturing.state() != QProcess::NotRunning) {
        if (waited.elapsed() > 60000)
            return QStringLiteral("tshark did not report capturing within 60 s: ") +
                   QString::fromLocal8Bit(log);
        QTest::qWait(50);
    }
    if (capturing.state() != QProcess::Running)
        return QStringLiteral("tshark ended: ") + QString::fromLocal8Bit(log);
    return {};
}

// tshark's reading of the packets in `file` that `filter` selects (`more`: output options).
inline QByteArray readCapture(const QString &tshark, const QString &file, const QString &filter,
                              const QStringList &more = {}) {
    QProcess reading;
    reading.start(tshark,
                  QStringList{QStringLiteral("-r"), file, QStringLiteral("-Y"), filter} + more);
    reading.waitForFinished(60000);
    const QByteArray errors = reading.readAllStandardError();
    if (errors.contains("tshark:"))
        qWarning("%s", errors.constData());
    return reading.readAllStandardOutput();
}

} // namespace Peer
