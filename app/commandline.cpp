#include "app/commandline.h"

#include "buildinfo.h"

#include <QStandardPaths>

#include <QtGlobal>
#include <optional>

CommandLine parseCommandLine(const QStringList &arguments) {
    CommandLine result;
    std::optional<QString> logChannels, logFile;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString &argument = arguments.at(i);
        if (argument == QLatin1String("--log-channels") ||
            argument == QLatin1String("--log-file")) {
            (argument == QLatin1String("--log-file") ? logFile : logChannels) =
                arguments.value(++i);
        } else if (argument == QLatin1String("-o")) {
            result.stayOnTop = true;
        } else if (argument == QLatin1String("--loop")) {
            result.loop = true;
        } else if ((argument == QLatin1String("--record") ||
                    argument == QLatin1String("--replay")) &&
                   i + 1 < arguments.size()) {
            (argument == QLatin1String("--record") ? result.recordFile : result.replayFile) =
                arguments.at(++i);
        } else if (argument == QLatin1String("-p")) {
            if (i + 1 >= arguments.size()) {
                result.preset = -1;
                break;
            }
            bool isNumber = false;
            const int value = arguments.at(i + 1).toInt(&isNumber, 10);
            if (isNumber) {
                result.preset = value;
                ++i;
            }
        }
    }
    if (logChannels && (!logFile || logFile->isEmpty()))
        result.error = QStringLiteral("--log-channels needs --log-file FILE");
    else if (logFile && !logChannels)
        result.error = QStringLiteral("--log-file needs --log-channels LIST");
    else if (logChannels &&
             (result.logChannels = parseChannelList(*logChannels, &result.error)).isEmpty())
        result.error = QStringLiteral("--log-channels: ") + result.error;
    if (result.error.isEmpty() && logFile)
        result.logFile = *logFile;
    return result;
}

InfoRequest findInfoRequest(const QStringList &arguments) {
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        if (arguments.at(i) == QLatin1String("--help"))
            return InfoRequest::Help;
        if (arguments.at(i) == QLatin1String("--version"))
            return InfoRequest::Version;
    }
    return InfoRequest::None;
}

// QSettings' native format on Linux: <config home>/<organisation>/<application>.conf.
QString settingsFilePath() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QLatin1Char('/') + QString::fromLatin1(BuildInfo::makerWeb) + QLatin1Char('/') +
           QString::fromLatin1(BuildInfo::productName) + QStringLiteral(".conf");
}

QString helpText(const QString &settingsFile) {
    return QStringLiteral(
               "Usage: tessaview [-p N] [-o] [--log-channels LIST --log-file FILE]\n"
               "                 [--record FILE | --replay FILE [--loop]]\n"
               "                 [Qt options]\n"
               "Shows the DMX512 data received by Art-Net and streaming ACN (E1.31) as a grid\n"
               "of cells, and answers as a lighting device (Art-Net node, RDM responder).\n"
               "\n"
               "Options:\n"
               "  -p N         load preset N (1 to 9) after start-up\n"
               "  -o           keep the window on top of other windows\n"
               "  --log-channels LIST --log-file FILE\n"
               "               write every change of the channels in LIST (universe.channel,\n"
               "               ranges such as 1.4-1.6, comma separated, 16 at most) to FILE as\n"
               "               CSV lines time_ms,universe,channel,value,source until the\n"
               "               program quits, without opening the Channel Scope\n"
               "  --record FILE  record every datagram received on UDP 6454 and 5568 into the\n"
               "               pcap file FILE (key W starts and stops a recording into the\n"
               "               pictures folder)\n"
               "  --replay FILE  show the Art-Net and sACN of the capture FILE (pcap or pcapng)\n"
               "               at its own timing instead of the network; nothing is sent\n"
               "  --loop       replay the capture again and again\n"
               "  --help       print this text and exit\n"
               "  --version    print the version and exit\n"
               "Qt's own options (for example -platform xcb) work as well; other arguments are\n"
               "ignored.\n"
               "\n"
               "Settings, presets and the power-cycle counter are kept in\n"
               "  %1\n"
               "\"Reset Settings\" (key R) in the context menu restores the factory settings and\n"
               "clears the presets; deleting the file while the program is not running also\n"
               "resets the counter.\n"
               "\n"
               "Listens on (UDP, inbound):\n"
               "  6454  Art-Net: ArtDmx, ArtSync, ArtAddress, ArtTimeCode; answers ArtPoll with\n"
               "        ArtPollReply, ArtTodRequest/ArtTodControl with ArtTodData, ArtRdm (RDM)\n"
               "  5568  streaming ACN (E1.31), multicast group 239.255.<hi>.<lo> per universe\n")
        .arg(settingsFile);
}

QString versionText() {
    return QStringLiteral("%1 %2\nQt %3 (built with Qt %4)\n")
        .arg(QString::fromLatin1(BuildInfo::productName),
             QString::fromLatin1(BuildInfo::versionText), QString::fromLatin1(qVersion()),
             QStringLiteral(QT_VERSION_STR));
}
