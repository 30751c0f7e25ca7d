#pragma once

#include <optional>

#include "settings/settingsrecord.h"

#include <QString>
#include <QStringList>

// Persistence of the settings record, the presets and the few values kept beside them in the
// per-user settings store. The store is opened and closed around every operation, so
// nothing here caches state.
namespace SettingsStore {

constexpr int livePreset = -1;
constexpr int firstPreset = 0;
constexpr int lastPreset = 9;

// True for -1 (the live keys) and 0 ... 9.
bool isValidPreset(int preset);

// "" for the live keys, "Preset00" ... "Preset09" for the presets.
QString presetPrefix(int preset);

// The 25 field names in record order.
const QStringList &fieldNames();

// Writes every field under the preset's prefix; an invalid preset number writes nothing.
void saveSettings(const SettingsRecord &record, int preset);

// Reads every field under the preset's prefix, keeping a field's current value when its key
// is absent or its value unusable (not a number, negative, not one of a field's codes) and
// bringing numbers into the ranges the settings dialog offers. Nothing is written back. Returns
// whether ShapeType converted cleanly; false for an invalid preset number, which reads nothing.
bool loadSettings(SettingsRecord &record, int preset);

// Erases the whole store except the power-cycle counter.
void resetSettingsStore();

// Reads PowerCycle with `count` as the default; returns whether it converted.
bool loadPowerCycleCount(quint32 &count);
void savePowerCycleCount(quint32 count);

// Counts one program start: a stored 0xFFFFFFFF stays, anything else goes up by one and is
// written back at once. Returns the new count.
quint32 countPowerCycle();

bool loadStateEnable();
void saveStateEnable(bool enabled);
quint8 loadSelfTest();
void saveSelfTest(quint8 selfTest);

// The DMX start address the device answers RDM with and the picture takes its channels from:
// 1 ... 512, and 1 when the key is absent or holds anything else. Not part of the presets: a
// fixture keeps its address whatever it shows.
quint16 loadDmxStartAddress();
void saveDmxStartAddress(quint16 startAddress);

// What the picture shows when data is lost ("DmxFailMode") or has not come yet at start
// ("DmxStartupMode"): scene, delay, hold time, level, stored as "scene,delay,hold,level" beside
// the start address. None when the key is absent or unreadable.
struct SceneMode {
    quint16 scene = 0;
    quint16 delay = 0;
    quint16 holdTime = 0;
    quint8 level = 0;
};
enum class SceneModeKey : quint8 { Fail, Startup };
std::optional<SceneMode> loadSceneMode(SceneModeKey key);
void saveSceneMode(SceneModeKey key, const SceneMode &mode);
// The look recorded for the fail mode's scene (empty when none was recorded).
QByteArray loadFailSafeScene();
void saveFailSafeScene(const QByteArray &scene);

} // namespace SettingsStore
