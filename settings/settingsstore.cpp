#include "settings/settingsstore.h"

#include "buildinfo.h"

#include <QSettings>

#include <QStringList>

#include <algorithm>
#include <array>
#include <functional>
#include <limits>

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

// A hand-edited store may hold anything: a value that is not a number (or a negative one for
// an unsigned field) keeps the field's current value, a number outside the range the settings
// dialog offers is brought into it. Window and grid sizes and positions keep the field's full
// width: a wide desktop and the grid-size keys reach beyond the dialog's 9999.
template <typename T>
Field unsignedField(const char *key, T SettingsRecord::*member, qint64 lowest = 0,
                    qint64 highest = std::numeric_limits<T>::max()) {
    return {QString::fromLatin1(key),
            [member](const SettingsRecord &r) { return QVariant(qulonglong(r.*member)); },
            [member, lowest, highest](SettingsRecord &r, const QVariant &v) {
                bool ok = false;
                const qint64 value = v.toString().trimmed().toLongLong(&ok);
                if (!ok || value < 0)
                    return false;
                r.*member = T(std::clamp(value, lowest, highest));
                return true;
            }};
}

// A field whose value must be one of a few codes; any other keeps the current value.
Field codeField(const char *key, quint16 SettingsRecord::*member,
                std::initializer_list<quint16> codes) {
    Field field = unsignedField(key, member);
    field.set = [member, valid = std::vector<quint16>(codes)](SettingsRecord &r,
                                                              const QVariant &v) {
        bool ok = false;
        const qint64 value = v.toString().trimmed().toLongLong(&ok);
        if (!ok || std::find(valid.cbegin(), valid.cend(), value) == valid.cend())
            return false;
        r.*member = quint16(value);
        return true;
    };
    return field;
}

Field boolField(const char *key, bool SettingsRecord::*member) {
    return {QString::fromLatin1(key),
            [member](const SettingsRecord &r) { return QVariant(int(r.*member)); },
            [member](SettingsRecord &r, const QVariant &v) {
                const QString text = v.toString().trimmed().toLower();
                if (text == QLatin1String("1") || text == QLatin1String("true"))
                    r.*member = true;
                else if (text == QLatin1String("0") || text == QLatin1String("false"))
                    r.*member = false;
                else
                    return false;
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
        unsignedField("UpdateCheck", &SettingsRecord::UpdateCheck, 0, 1),
        unsignedField("TimerStartup", &SettingsRecord::TimerStartup),
        {QStringLiteral("ScreenNumber"),
         [](const SettingsRecord &r) { return QVariant(qlonglong(r.ScreenNumber)); },
         [](SettingsRecord &r, const QVariant &v) {
             bool ok = false;
             const qint64 value = v.toString().trimmed().toLongLong(&ok);
             if (!ok)
                 return false;
             // Screens that may exist are checked against the desktop by the window.
             r.ScreenNumber = value < ScreenChoice::UserSize || value > 0x7FFF
                                  ? ScreenChoice::Desktop
                                  : qint16(value);
             return true;
         }},
        unsignedField("PosX", &SettingsRecord::PosX),
        unsignedField("PosY", &SettingsRecord::PosY),
        unsignedField("SizeX", &SettingsRecord::SizeX, 1),
        unsignedField("SizeY", &SettingsRecord::SizeY, 1),
        unsignedField("ScreenLevel", &SettingsRecord::ScreenLevel),
        unsignedField("ScreenFlip", &SettingsRecord::ScreenFlip, 0, 3),
        codeField("ScreenRotate", &SettingsRecord::ScreenRotate, {0, 90, 180, 270}),
        unsignedField("DmxSizeX", &SettingsRecord::DmxSizeX, 1),
        unsignedField("DmxSizeY", &SettingsRecord::DmxSizeY, 1),
        unsignedField("DmxChannelPerUniverse", &SettingsRecord::DmxChannelPerUniverse, 1, 512),
        unsignedField("DmxUniverseStart", &SettingsRecord::DmxUniverseStart, 1, 63999),
        codeField("DmxUseRgb", &SettingsRecord::DmxUseRgb,
                  {ColourMode::Monochrome, ColourMode::Rgb, ColourMode::Rgbw,
                   ColourMode::BarVertical, ColourMode::DmxValues, ColourMode::BarAndDmxValues}),
        unsignedField("TimerInMs", &SettingsRecord::TimerInMs, 1, 2000),
        boolField("UseOpenGL", &SettingsRecord::UseOpenGL),
        codeField("ShapeType", &SettingsRecord::ShapeType,
                  {ShapeKind::RectangleFilled, ShapeKind::Rectangle, ShapeKind::EllipseFilled,
                   ShapeKind::Ellipse}),
        boolField("UseArtnet", &SettingsRecord::UseArtnet),
        boolField("UseAcnnet", &SettingsRecord::UseAcnnet),
        boolField("UseRdm", &SettingsRecord::UseRdm),
        boolField("UseRdmForAllUniverses", &SettingsRecord::UseRdmForAllUniverses),
        boolField("DiagnosticMarks", &SettingsRecord::DiagnosticMarks),
    };
    return all;
}

const QString powerCycleKey = QStringLiteral("PowerCycle");
const QString stateEnableKey = QStringLiteral("StateEnable");
const QString selfTestKey = QStringLiteral("SelfTest");
const QString dmxStartAddressKey = QStringLiteral("DmxStartAddress");
const QString failSafeSceneKey = QStringLiteral("DmxFailScene");

QString sceneModeKey(SceneModeKey key) {
    return key == SceneModeKey::Fail ? QStringLiteral("DmxFailMode")
                                     : QStringLiteral("DmxStartupMode");
}

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

quint16 loadDmxStartAddress() {
    bool ok = false;
    const qint64 address =
        openStore().value(dmxStartAddressKey).toString().trimmed().toLongLong(&ok);
    return ok && address >= 1 && address <= 512 ? quint16(address) : quint16(1);
}

void saveDmxStartAddress(quint16 startAddress) {
    QSettings store = openStore();
    store.setValue(dmxStartAddressKey, uint(startAddress));
}

std::optional<SceneMode> loadSceneMode(SceneModeKey key) {
    const QStringList fields = openStore().value(sceneModeKey(key)).toString().split(u',');
    if (fields.size() != 4)
        return std::nullopt;
    std::array<uint, 4> numbers{};
    for (size_t i = 0; i < numbers.size(); ++i) {
        bool ok = false;
        numbers[i] = fields[qsizetype(i)].trimmed().toUInt(&ok);
        if (!ok || numbers[i] > (i == 3 ? 0xFFu : 0xFFFFu))
            return std::nullopt;
    }
    return SceneMode{quint16(numbers[0]), quint16(numbers[1]), quint16(numbers[2]),
                     quint8(numbers[3])};
}

void saveSceneMode(SceneModeKey key, const SceneMode &mode) {
    QSettings store = openStore();
    store.setValue(sceneModeKey(key), QStringLiteral("%1,%2,%3,%4")
                                          .arg(mode.scene)
                                          .arg(mode.delay)
                                          .arg(mode.holdTime)
                                          .arg(mode.level));
}

QByteArray loadFailSafeScene() {
    return QByteArray::fromBase64(openStore().value(failSafeSceneKey).toString().toLatin1());
}

void saveFailSafeScene(const QByteArray &scene) {
    QSettings store = openStore();
    store.setValue(failSafeSceneKey, QString::fromLatin1(scene.toBase64()));
}

} // namespace SettingsStore
