#pragma once

#include <QCoreApplication>
#include <QList>
#include <QSize>
#include <QStringList>

struct SettingsRecord;

// The rows of the information dialog's preset table.
class PresetInfoRows {
    Q_DECLARE_TR_FUNCTIONS(PresetInfoRows)

public:
    // Universes the record's grid needs: the channels of all cells divided by the channels
    // per universe, rounded up. Colour modes without a channel count give 0, and so does a
    // channels-per-universe of 0 (only a hand-edited store holds it).
    static qint64 universeCount(const SettingsRecord &record);

    // The names of the set colour-mode bits joined with " | "; empty for 0.
    static QString colourModeText(quint16 useRgb);

    // One table row: the label, then the record's values in the table's column order.
    static QStringList row(const SettingsRecord &record, const QString &label);

    // Presets 0 ... 9 as stored, each read over the factory defaults for `desktop`; the first
    // is labelled "Preset Current".
    static QList<QStringList> storedPresets(QSize desktop);
};
