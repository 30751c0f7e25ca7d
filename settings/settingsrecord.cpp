#include "settings/settingsrecord.h"

void setFactoryDefaults(SettingsRecord &record, QSize desktop) {
    record = SettingsRecord{};
    const QSize size = desktop.isEmpty() ? fallbackDesktopSize : desktop;
    record.SizeX = quint16(size.width());
    record.SizeY = quint16(size.height());
}

QString languageLetters(quint16 languageIso) {
    if (languageIso == 0)
        return {};
    const char letters[2] = {char(languageIso >> 8), char(languageIso & 0xFF)};
    return QString::fromLatin1(letters, 2);
}

int cellChannels(quint16 colourMode) {
    switch (colourMode) {
    case ColourMode::Monochrome:
    case ColourMode::BarVertical:
    case ColourMode::DmxValues:
    case ColourMode::BarAndDmxValues:
        return 1;
    case ColourMode::Rgb:
        return 3;
    case ColourMode::Rgbw:
        return 4;
    default:
        return 0;
    }
}

qint64 gridChannels(const SettingsRecord &record) {
    return qint64(record.DmxSizeX) * record.DmxSizeY * cellChannels(record.DmxUseRgb);
}

qint64 universesFor(qint64 channels, qint64 channelsPerUniverse) {
    return channelsPerUniverse > 0 ? (channels + channelsPerUniverse - 1) / channelsPerUniverse : 0;
}
