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
