#pragma once

#include <QString>
#include <QtGlobal>

class network;
struct LatencyFigures;

// The texts of the status overlay. Shown to the user, so they pass through translation under
// the context "ScreenEngine".
namespace statustext {

// "Monochrome", "RGB", "RGBW", "Bar Vertical", "DMX Values", "Bar & DMX Values"; any other
// mode reads "RGB".
QString colourMode(quint16 colourMode);

// One line "<address> - <name>" per interface of `net` (none without a snapshot), then
// "Art-Net Disabled" and "sACN Disabled" for the protocols that are off.
QString interfaces(const network *net, bool artnetOn, bool sacnOn);

// Empty outside ArtSync mode; "sync" below one sync a second, else "sync <n> fps"; a changed
// sync sender adds " \u26A0".
QString sync(bool active, int syncsPerSecond, bool senderChanged);

// 0 "Render Engine: Native", 1 "Render Engine: Open GL", otherwise empty.
QString renderEngine(int renderEngineId);

// Empty for preset 0 or below; "\n <name>" for a name of the user's own, else "\nPreset <n>".
QString preset(int preset, const QString &name);

// "\nFreeze Enabled" wins over "\nSelf Test <n> Enabled"; empty when neither is on.
QString freezeOrSelfTest(bool freeze, quint8 selfTest);

// "\nLatency: median <m> ms, max <x> ms" (one decimal each), the block's last line; without
// samples "\nLatency: no change in the last 10 s" when data arrived, else empty.
QString latency(const LatencyFigures &figures);

// "\nNetwork: <f> faults, <w> warnings" while the findings hold any; else empty.
QString networkFindings(int faults, int warnings);
// "\nRecording: <n> MB, <s> s" (MB of 10^6 bytes, one decimal; whole seconds).
QString recording(quint64 bytesWritten, qint64 elapsedMs);

// "\nReplay: <file name>, <position> / <length>, ×<speed>" (seconds with one decimal; the speed
// as short as it goes: ×0.25, ×1, ×4); "paused" follows the speed while paused.
QString replay(const QString &fileName, qint64 positionMs, qint64 lengthMs, double speed,
               bool paused);

struct Fields {
    int sizeX = 0;
    int sizeY = 0;
    int dmxSizeX = 0;
    int dmxSizeY = 0;
    QString colourMode;
    int universeStart = 0;
    quint32 universeCount = 0;
    QString sync;
    int channelsPerUniverse = 0;
    int framesLastSecond = 0;
    QString renderEngine;
    QString interfaces;
    QString preset;
    QString freezeOrSelfTest;
};

// The whole block, filled in one pass so that a name holding "%1" stays as it is.
QString block(const Fields &fields);

} // namespace statustext
