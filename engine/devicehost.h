#pragma once

#include <QPointer>

#include <functional>
#include <memory>

class Configurator;
class FrameStore;
class SensorInfo;
class network;
class rdm;
struct DeviceModelStart;

// The device a console talks to over RDM: the responder, the sensor provider, and the device
// model's start-up values. The model itself belongs to the window; this host fills it once
// and follows its start address and RESET_DEVICE.
class DeviceHost {
public:
    // RESET_DEVICE: `warmReset` for a warm start (0x01); `coldReset` for a cold one (0xFF),
    // called once the controller has its answer.
    DeviceHost(FrameStore &store, std::function<void()> warmReset, std::function<void()> coldReset);
    ~DeviceHost();
    DeviceHost(const DeviceHost &) = delete;
    DeviceHost &operator=(const DeviceHost &) = delete;

    bool isSetUp() const { return m_rdm != nullptr; }
    // The first apply: the sensors, the responder, and without a model nothing else; with one,
    // fills it with `start` (the start address read from the settings store) and hands its
    // start address to the frame store.
    void setUp(Configurator *model, const DeviceModelStart &start, network *net);
    // The responder must never keep a snapshot the receivers have dropped: it gets each new
    // one (or none), and the device model lists the interfaces of a new one.
    void setNetwork(network *net, bool listInterfaces);

    rdm *responder() const { return m_rdm.get(); }
    SensorInfo *sensors() const { return m_sensors.get(); }

private:
    void resetDevice(quint8 startType);

    FrameStore &m_store;
    std::function<void()> m_warmReset;
    std::function<void()> m_coldReset;
    QPointer<Configurator> m_model;
    std::unique_ptr<SensorInfo> m_sensors;
    std::unique_ptr<rdm> m_rdm;
};
