#include "engine/lossbehaviour.h"

#include "net/receiverstats.h"

#include <algorithm>

namespace {

constexpr qint64 nsPerMs = 1'000'000;
// E1.37-1 times count tenths of a second.
constexpr qint64 msPerTime = 100;

qint64 lossMs(FrameStore::Writer writer) {
    return writer == FrameStore::Writer::ArtNet ? artnetSourceLossMs : sacnSourceLossMs;
}

bool allLive(const std::vector<LossBehaviour::State> &states) {
    return std::all_of(states.begin(), states.end(), [](const LossBehaviour::State &s) {
        return s.phase == LossBehaviour::Phase::Live;
    });
}

} // namespace

bool LossBehaviour::inert(const Modes &modes) {
    const bool failHolds =
        lossLook(modes.fail) == LossLook::Hold && modes.fail.uiHoldTime == sceneTimeForEver;
    return failHolds && lossLook(modes.startup) == LossLook::Hold;
}

LossBehaviour::Phase LossBehaviour::phase(const stDmxSceneMode &mode, qint64 sinceMs) {
    if (mode.uiDelay == sceneTimeForEver)
        return Phase::Live;
    const qint64 delayMs = mode.uiDelay * msPerTime;
    if (sinceMs < delayMs)
        return Phase::Live;
    if (mode.uiHoldTime == sceneTimeForEver || sinceMs < delayMs + mode.uiHoldTime * msPerTime)
        return Phase::Look;
    return Phase::Black;
}

void LossBehaviour::states(std::span<const FrameStore::Heard> heard, const Modes &modes,
                           qint64 startNs, qint64 nowNs, std::vector<State> &out) {
    out.resize(heard.size());
    for (size_t k = 0; k < heard.size(); ++k) {
        const FrameStore::Heard &h = heard[k];
        if (h.ns == 0) {
            const Phase p = phase(modes.startup, (nowNs - startNs) / nsPerMs);
            out[k] = p == Phase::Live ? State{} : State{p, true};
            continue;
        }
        const qint64 sinceLossMs = (nowNs - h.ns) / nsPerMs - lossMs(h.writer);
        out[k] = sinceLossMs < 0 ? State{} : State{phase(modes.fail, sinceLossMs), false};
    }
}

bool LossBehaviour::changed(std::span<const FrameStore::Heard> heard, const Modes &modes,
                            qint64 startNs, qint64 nowNs) const {
    states(heard, modes, startNs, nowNs, m_scratch);
    // A picture painted before the first look counts as all live.
    if (m_painted.size() != m_scratch.size())
        return !allLive(m_scratch) || !allLive(m_painted);
    return m_scratch != m_painted;
}

void LossBehaviour::apply(std::span<quint8> frame, quint16 width,
                          std::span<const FrameStore::Heard> heard, const Modes &modes,
                          qint64 startNs, qint64 nowNs) {
    states(heard, modes, startNs, nowNs, m_painted);
    for (size_t k = 0; k < m_painted.size(); ++k) {
        const State state = m_painted[k];
        if (state.phase == Phase::Live)
            continue;
        const size_t from = k * width;
        if (from >= frame.size())
            break;
        const std::span<quint8> slot =
            frame.subspan(from, std::min(size_t(width), frame.size() - from));
        const stDmxSceneMode &mode = state.startup ? modes.startup : modes.fail;
        if (state.phase == Phase::Black) {
            std::fill(slot.begin(), slot.end(), quint8(0));
            continue;
        }
        switch (lossLook(mode)) {
        case LossLook::Hold:
            break;
        case LossLook::Zero:
        case LossLook::Full:
            std::fill(slot.begin(), slot.end(), mode.uiLevel);
            break;
        case LossLook::Scene:
            for (size_t i = 0; i < slot.size(); ++i) {
                const qsizetype at = qsizetype(from + i);
                const int level = at < modes.scene.size() ? quint8(modes.scene[at]) : 0;
                slot[i] = quint8((level * mode.uiLevel + 127) / 255);
            }
            break;
        }
    }
}
