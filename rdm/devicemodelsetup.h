#pragma once

#include "rdm/configuratortypes.h"

#include <QByteArray>
#include <QDateTime>
#include <QtGlobal>

class Configurator;
class network;

// What the engine knows at its first apply and hands to the device model. Production and the
// tests fill the model through the one function below, so what RDM answers is tested as shipped.
struct DeviceModelStart {
    quint16 footprint = 0;
    quint16 language = 0;
    quint8 displayLevel = 255;
    quint8 flipHorizontal = 0;
    quint8 flipVertical = 0;
    quint16 rotation = 0;
    QDateTime startTime;
    quint32 powerCycles = 0;
    int preset = 0;
    quint8 identify = 0;
    quint8 selfTest = 0;
    quint16 dmxStartAddress = 1;
    stDmxSceneMode failMode = holdForEver;
    stDmxSceneMode startupMode = holdForEver;
    QByteArray failSafeScene;
};

// At most this many interfaces are listed to RDM.
inline constexpr int maxRdmInterfaces = 38;

// Fills a fresh device model with the start-up values. Filling clears the factory-defaults
// flag; the caller sets it once the set-up is complete.
void fillDeviceModel(Configurator &model, const DeviceModelStart &start, const network *net);

// The E1.37-2 interface lists and DNS names from `net` (empty without a snapshot).
void fillInterfaces(Configurator &model, const network *net);
