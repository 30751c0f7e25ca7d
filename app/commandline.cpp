#include "app/commandline.h"

CommandLine parseCommandLine(const QStringList &arguments) {
    CommandLine result;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString &argument = arguments.at(i);
        if (argument == QLatin1String("-o")) {
            result.stayOnTop = true;
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
    return result;
}
