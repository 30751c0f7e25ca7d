#include "engine/devicehost.h"

#include "net/framestore.h"
#include "rdm/configurator.h"
#include "rdm/devicemodelsetup.h"
#include "rdm/rdm.h"
#include "rdm/sensorinfo.h"
#include "settings/settingsstore.h"

namespace {

std::optional<stDmxSceneMode> storedSceneMode(SettingsStore::SceneModeKey key) {
    const std::optional<SettingsStore::SceneMode> stored = SettingsStore::loadSceneMode(key);
    if (!stored)
        return std::nullopt;
    return stDmxSceneMode{stored->scene, stored->delay, stored->holdTime, stored->level};
}

void storeSceneMode(SettingsStore::SceneModeKey key, const stDmxSceneMode &mode) {
    SettingsStore::saveSceneMode(key, {mode.uiScene, mode.uiDelay, mode.uiHoldTime, mode.uiLevel});
}

} // namespace

DeviceHost::DeviceHost(FrameStore &store, std::function<void()> warmReset,
                       std::function<void()> coldReset)
    : m_store(store), m_warmReset(std::move(warmReset)), m_coldReset(std::move(coldReset)) {}

// The responder borrows the sensors, so it goes first.
DeviceHost::~DeviceHost() {
    m_rdm.reset();
    m_sensors.reset();
}

void DeviceHost::setUp(Configurator *model, const DeviceModelStart &start, network *net) {
    m_model = model;
    m_sensors = std::make_unique<SensorInfo>();
    m_rdm = std::make_unique<rdm>(model, m_sensors.get(), net);
    if (!model)
        return;
    DeviceModelStart values = start;
    values.dmxStartAddress = SettingsStore::loadDmxStartAddress();
    values.failMode = storedSceneMode(SettingsStore::SceneModeKey::Fail).value_or(values.failMode);
    values.startupMode =
        storedSceneMode(SettingsStore::SceneModeKey::Startup).value_or(values.startupMode);
    values.failSafeScene = SettingsStore::loadFailSafeScene();
    fillDeviceModel(*model, values, net);
    m_store.setStartAddress(model->dmxStartAddress());
    // With the responder as context, which dies with this host, so neither runs on a deleted
    // host.
    QObject::connect(model, &Configurator::signalChangedDmxStartAddress, m_rdm.get(),
                     [this](quint16 address) {
                         m_store.setStartAddress(address);
                         SettingsStore::saveDmxStartAddress(address);
                     });
    // A fixture keeps its loss behaviour, whichever door set it, across restarts.
    QObject::connect(
        model, &Configurator::signalChangedDmxFailMode, m_rdm.get(),
        [](stDmxSceneMode mode) { storeSceneMode(SettingsStore::SceneModeKey::Fail, mode); });
    QObject::connect(
        model, &Configurator::signalChangedDmxStartupMode, m_rdm.get(),
        [](stDmxSceneMode mode) { storeSceneMode(SettingsStore::SceneModeKey::Startup, mode); });
    QObject::connect(model, &Configurator::signalChangedFailSafeScene, m_rdm.get(),
                     &SettingsStore::saveFailSafeScene);
    QObject::connect(model, &Configurator::signalChangedResetDevice, m_rdm.get(),
                     [this](quint8 startType) { resetDevice(startType); });
    // Last, since filling the model clears the flag: a freshly started device reports that it
    // is at its factory defaults.
    model->slotSetResetFactoryDefaults();
}

void DeviceHost::setNetwork(network *net, bool listInterfaces) {
    m_rdm->setNetwork(net);
    if (listInterfaces && m_model)
        fillInterfaces(*m_model, net);
}

void DeviceHost::resetDevice(quint8 startType) {
    if (startType == 0x01) {
        m_warmReset();
        return;
    }
    // A cold start begins once the controller has its answer: the receivers are built anew,
    // with no source, merge or synchronisation remembered, as after switching the device on.
    QMetaObject::invokeMethod(
        m_rdm.get(), [this] { m_coldReset(); }, Qt::QueuedConnection);
}
