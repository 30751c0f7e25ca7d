#include "dialogs/presetinforows.h"

#include "settings/settingsrecord.h"
#include "settings/settingsstore.h"

qint64 PresetInfoRows::universeCount(const SettingsRecord &r) {
    return universesFor(gridChannels(r), r.DmxChannelPerUniverse);
}

QString PresetInfoRows::colourModeText(quint16 useRgb) {
    QStringList names;
    if (useRgb & 0x1)
        names << tr("RGB");
    if (useRgb & 0x2)
        names << tr("RGBW");
    if (useRgb & 0x4)
        names << tr("Bar Vertical");
    if (useRgb & 0x8)
        names << tr("DMX Values");
    return names.join(QStringLiteral(" | "));
}

QStringList PresetInfoRows::row(const SettingsRecord &r, const QString &label) {
    return {label,
            QString::number(r.DmxSizeX),
            QString::number(r.DmxSizeY),
            QString::number(r.SizeX),
            QString::number(r.SizeY),
            QString::number(r.PosX),
            QString::number(r.PosY),
            QString::number(r.DmxUniverseStart),
            QString::number(universeCount(r)),
            QString::number(r.DmxChannelPerUniverse),
            colourModeText(r.DmxUseRgb)};
}

QList<QStringList> PresetInfoRows::storedPresets(QSize desktop) {
    QList<QStringList> rows;
    for (int preset = SettingsStore::firstPreset; preset <= SettingsStore::lastPreset; ++preset) {
        SettingsRecord record;
        setFactoryDefaults(record, desktop);
        SettingsStore::loadSettings(record, preset);
        const QString label = preset == 0 ? tr("Preset Current") : tr("Preset %1").arg(preset);
        rows << row(record, label);
    }
    return rows;
}
