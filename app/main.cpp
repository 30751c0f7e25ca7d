#include "app/commandline.h"
#include "app/tessaview.h"

#include <QApplication>

#include <cstdio>

int main(int argc, char *argv[]) {
    // Answered before the application object exists, so they work without a display and
    // touch neither the settings nor the network.
    QStringList rawArguments;
    for (int i = 0; i < argc; ++i)
        rawArguments << QString::fromLocal8Bit(argv[i]);
    const InfoRequest request = findInfoRequest(rawArguments);
    if (request != InfoRequest::None) {
        const QString text =
            request == InfoRequest::Help ? helpText(settingsFilePath()) : versionText();
        std::fputs(text.toLocal8Bit().constData(), stdout);
        return std::fflush(stdout) == 0 ? 0 : 1;
    }

    // Refused before anything starts, so a typing error never runs without its log.
    const QString error = parseCommandLine(rawArguments).error;
    if (!error.isEmpty()) {
        std::fprintf(stderr, "tessaview: %s\nTry \"tessaview --help\".\n",
                     error.toLocal8Bit().constData());
        return 2;
    }

    QApplication application(argc, argv);
    Tessaview window(QCoreApplication::arguments());
    window.show();
    return application.exec();
}
