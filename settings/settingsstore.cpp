#include "settings/settingsstore.h"

#include "buildinfo.h"

#include <QSettings>

#include <functional>

namespace SettingsStore {
namespace {

QSettings openStore() {
    return QSettings(QSettings::NativeFormat, QSettings::UserScope,
                     QString::fromLatin1(BuildInfo::makerWeb),
                     QString::fromLatin1(BuildInfo::productName));
}

// One record field: how it is written and how a stored value is converted back.
struct Field {
    QString key;
    std::function<QVariant(const SettingsRecord &)> get;
    std::function<bool(SettingsRecord &, const QVariant &)> set;
};

template <typename T> Field unsignedField(const char *key, T SettingsRecord::*member) {
    return {QString::fromLatin1(key),
            [member](const SettingsRecord &r) { return QVariant(qulonglong(r.*member)); },
            [member](SettingsRecord &r, const QVariant &v) {
                bool ok = false;
                r.*member = T(v.toUInt(&ok));
                return ok;
            }};
}

Field boolField(const char *key, bool SettingsRecord::*member) {
    return {QString::fromLatin1(key),
            [member](const SettingsRecord &r) { return QVariant(int(r.*member)); },
            [member](SettingsRecord &r, const QVariant &v) {
                r.*member = v.toBool();
                return true;
            }};
}

const std::vector<Field> &fields() {
    static const std::vector<Field> all = {
        {QStringLiteral("Name"), [](const SettingsRecord &r) { return QVariant(r.Name); },
         [](SettingsRecord &r, const QVariant &v) {
             r.Name = v.toString();
             return true;
         }},
        unsignedField("LanguageIso", &SettingsRecord::LanguageIso),
        unsignedField("UpdateCheck", &SettingsRecord::UpdateCheck),
        unsignedField("TimerStartup", &SettingsRecord::TimerStartup),
        {QStringLiteral("ScreenNumber"),
         [](const SettingsRecord &r) { return QVariant(qlonglong(r.ScreenNumber)); },
         [](SettingsRecord &r, const QVariant &v) {
             bool ok = false;
             r.ScreenNumber = qint16(v.toInt(&ok));
             return ok;
         }},
        unsignedField("PosX", &SettingsRecord::PosX),
        unsignedField("PosY", &SettingsRecord::PosY),
        unsignedField("SizeX", &SettingsRecord::SizeX),
        unsignedField("SizeY", &SettingsRecord::SizeY),
        unsignedField("ScreenLevel", &SettingsRecord::ScreenLevel),
        unsignedField("ScreenFlip", &SettingsRecord::ScreenFlip),
        unsignedField("ScreenRotate", &SettingsRecord::ScreenRotate),
        unsignedField("DmxSizeX", &SettingsRecord::DmxSizeX),
        unsignedField("DmxSizeY", &SettingsRecord::DmxSizeY),
        unsignedField("DmxChannelPerUniverse", &SettingsRecord::DmxChannelPerUniverse),
        unsignedField("DmxUniverseStart", &SettingsRecord::DmxUniverseStart),
        unsignedField("DmxUseRgb", &SettingsRecord::DmxUseRgb),
        unsignedField("TimerInMs", &SettingsRecord::TimerInMs),
        boolField("UseOpenGL", &SettingsRecord::UseOpenGL),
        unsignedField("ShapeType", &SettingsRecord::ShapeType),
        boolField("UseArtnet", &SettingsRecord::UseArtnet),
        boolField("UseAcnnet", &SettingsRecord::UseAcnnet),
        boolField("UseRdm", &SettingsRecord::UseRdm),
        boolField("UseRdmForAllUniverses", &SettingsRecord::UseRdmForAllUniverses),
    };
    return all;
}

const QString powerCycleKey = QStringLiteral("PowerCycle");
const QString stateEnableKey = QStringLiteral("StateEnable");
const QString selfTestKey = QStringLiteral("SelfTest");

} // namespace

bool isValidPreset(int preset) {
    return preset == livePreset || (preset >= firstPreset && preset <= lastPreset);
}

QString presetPrefix(int preset) {
    if (preset < 0)
        return {};
    return QStringLiteral("Preset%1").arg(preset, 2, 10, QLatin1Char('0'));
}

const QStringList &fieldNames() {
    static const QStringList names = [] {
        QStringList list;
        for (const Field &f : fields())
            list << f.key;
        return list;
    }();
    return names;
}

void saveSettings(const SettingsRecord &record, int preset) {
    if (!isValidPreset(preset))
        return;
    QSettings store = openStore();
    const QString prefix = presetPrefix(preset);
    for (const Field &f : fields())
        store.setValue(prefix + f.key, f.get(record));
}

bool loadSettings(SettingsRecord &record, int preset) {
    if (!isValidPreset(preset))
        return false;
    QSettings store = openStore();
    const QString prefix = presetPrefix(preset);
    bool shapeOk = false;
    for (const Field &f : fields()) {
        const bool ok = f.set(record, store.value(prefix + f.key, f.get(record)));
        if (f.key == QLatin1String("ShapeType"))
            shapeOk = ok;
    }
    return shapeOk;
}

void resetSettingsStore() {
    quint32 count = 0;
    loadPowerCycleCount(count);
    {
        QSettings store = openStore();
        store.clear();
    }
    savePowerCycleCount(count);
}

bool loadPowerCycleCount(quint32 &count) {
    QSettings store = openStore();
    bool ok = false;
    count = quint32(store.value(powerCycleKey, qulonglong(count)).toUInt(&ok));
    return ok;
}

void savePowerCycleCount(quint32 count) {
    QSettings store = openStore();
    store.setValue(powerCycleKey, qulonglong(count));
}

quint32 countPowerCycle() {
    quint32 count = 0;
    loadPowerCycleCount(count);
    if (count != 0xFFFFFFFFu) {
        ++count;
        savePowerCycleCount(count);
    }
    return count;
}

bool loadStateEnable() {
    return openStore().value(stateEnableKey, 0).toBool();
}

void saveStateEnable(bool enabled) {
    QSettings store = openStore();
    store.setValue(stateEnableKey, int(enabled));
}

quint8 loadSelfTest() {
    return quint8(openStore().value(selfTestKey, 0).toUInt());
}

void saveSelfTest(quint8 selfTest) {
    QSettings store = openStore();
    store.setValue(selfTestKey, uint(selfTest));
}

} // namespace SettingsStore
