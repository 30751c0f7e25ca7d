#include "engine/statustext.h"

#include "buildinfo.h"
#include "engine/latencyhistogram.h"
#include "net/network.h"
#include "settings/settingsrecord.h"

#include <QCoreApplication>
#include <QFileInfo>

namespace statustext {

namespace {
void appendLine(QString &text, const QString &line) {
    if (!text.isEmpty())
        text += QLatin1Char('\n');
    text += line;
}
} // namespace

QString colourMode(quint16 colourMode) {
    switch (colourMode) {
    case ColourMode::Monochrome:
        return QCoreApplication::translate("ScreenEngine", "Monochrome");
    case ColourMode::Rgbw:
        return QCoreApplication::translate("ScreenEngine", "RGBW");
    case ColourMode::BarVertical:
        return QCoreApplication::translate("ScreenEngine", "Bar Vertical");
    case ColourMode::DmxValues:
        return QCoreApplication::translate("ScreenEngine", "DMX Values");
    case ColourMode::BarAndDmxValues:
        return QCoreApplication::translate("ScreenEngine", "Bar & DMX Values");
    default:
        return QCoreApplication::translate("ScreenEngine", "RGB");
    }
}

QString interfaces(const network *net, bool artnetOn, bool sacnOn) {
    QString text;
    if (net) {
        QString address;
        QString name;
        for (int index = 0; net->getAddressText(index, address, name); ++index)
            appendLine(text, address + QStringLiteral(" - ") + name);
    }
    if (!artnetOn)
        appendLine(text, QCoreApplication::translate("ScreenEngine", "Art-Net Disabled"));
    if (!sacnOn)
        appendLine(text, QCoreApplication::translate("ScreenEngine", "sACN Disabled"));
    return text;
}

QString sync(bool active, int syncsPerSecond, bool senderChanged) {
    if (!active)
        return {};
    QString text =
        syncsPerSecond < 1
            ? QCoreApplication::translate("ScreenEngine", "sync")
            : QCoreApplication::translate("ScreenEngine", "sync %1 fps").arg(syncsPerSecond);
    if (senderChanged)
        text += QStringLiteral(" \u26A0");
    return text;
}

QString renderEngine(int renderEngineId) {
    switch (renderEngineId) {
    case 0:
        return QCoreApplication::translate("ScreenEngine", "Render Engine: Native");
    case 1:
        return QCoreApplication::translate("ScreenEngine", "Render Engine: Open GL");
    default:
        return {};
    }
}

QString preset(int preset, const QString &name) {
    if (preset <= 0)
        return {};
    if (!name.isEmpty() && name != QLatin1String(BuildInfo::productName))
        return QStringLiteral("\n ") + name;
    return QStringLiteral("\n") +
           QCoreApplication::translate("ScreenEngine", "Preset %1").arg(preset);
}

QString freezeOrSelfTest(bool freeze, quint8 selfTest) {
    if (freeze)
        return QStringLiteral("\n") + QCoreApplication::translate("ScreenEngine", "Freeze Enabled");
    if (selfTest != 0)
        return QStringLiteral("\n") +
               QCoreApplication::translate("ScreenEngine", "Self Test %1 Enabled").arg(selfTest);
    return {};
}

QString recording(quint64 bytesWritten, qint64 elapsedMs) {
    return QStringLiteral("\n") +
           QCoreApplication::translate("ScreenEngine", "Recording: %1 MB, %2 s")
               .arg(double(bytesWritten) / 1e6, 0, 'f', 1)
               .arg(elapsedMs / 1000);
}

QString replay(const QString &fileName, qint64 positionMs, qint64 lengthMs, double speed,
               bool paused) {
    QString line = QCoreApplication::translate("ScreenEngine", "Replay: %1, %2 / %3, ×%4")
                       .arg(QFileInfo(fileName).fileName())
                       .arg(double(positionMs) / 1000, 0, 'f', 1)
                       .arg(double(lengthMs) / 1000, 0, 'f', 1)
                       .arg(speed);
    if (paused)
        line += QStringLiteral(", ") + QCoreApplication::translate("ScreenEngine", "paused");
    return QStringLiteral("\n") + line;
}

QString latency(const LatencyFigures &figures) {
    if (figures.count == 0 && !figures.received)
        return {};
    if (figures.count == 0)
        return QStringLiteral("\n") +
               QCoreApplication::translate("ScreenEngine", "Latency: no change in the last 10 s");
    return QStringLiteral("\n") +
           QCoreApplication::translate("ScreenEngine", "Latency: median %1 ms, max %2 ms")
               .arg(QString::number(figures.medianMs, 'f', 1),
                    QString::number(figures.maxMs, 'f', 1));
}

QString networkFindings(int faults, int warnings) {
    if (faults == 0 && warnings == 0)
        return {};
    return u'\n' + QCoreApplication::translate("ScreenEngine", "Network: %1 faults, %2 warnings")
                       .arg(faults)
                       .arg(warnings);
}

QString block(const Fields &f) {
    return QCoreApplication::translate(
               "ScreenEngine",
               "Tessaview Version: %1\nScreen Resolution: %2x%3\nDMX Configuration: %4x%5 "
               "%6\nStart Universe: %7 / Count: %8 %9\nChannels per Universe: %10\nGrafic "
               "Refresh Rate: %11\n%12\n%13%14%15")
        .arg(QLatin1String(BuildInfo::versionText), QString::number(f.sizeX),
             QString::number(f.sizeY), QString::number(f.dmxSizeX), QString::number(f.dmxSizeY),
             f.colourMode, QString::number(f.universeStart), QString::number(f.universeCount),
             f.sync, QString::number(f.channelsPerUniverse), QString::number(f.framesLastSecond),
             f.renderEngine, f.interfaces, f.preset, f.freezeOrSelfTest);
}

} // namespace statustext
