#pragma once

#include "net/framestore.h"
#include "rdm/configuratortypes.h"

#include <QByteArray>

#include <span>
#include <vector>

// What each universe of the picture shows when its data is lost (the fail mode) or has not
// come since the start (the start-up mode): the last look while the mode's delay runs, then
// the mode's look for its hold time, then black. It acts on the copy a paint shows, never on
// the store, so the first packet of a returning source is live at once.
class LossBehaviour {
public:
    struct Modes {
        stDmxSceneMode fail = holdForEver;
        stDmxSceneMode startup = holdForEver;
        // The recorded scene, laid out as the frame is.
        QByteArray scene;
    };
    // Live: the frame as received, data live or held while the mode's delay runs.
    enum class Phase : quint8 { Live, Look, Black };
    struct State {
        Phase phase = Phase::Live;
        bool startup = false;
        bool operator==(const State &) const = default;
    };

    // Neither mode can change the picture: holding for ever is what the frame does anyway, and
    // before any data the held look is the empty frame.
    static bool inert(const Modes &modes);
    // Where a universe stands `sinceMs` after its loss (or the start).
    static Phase phase(const stDmxSceneMode &mode, qint64 sinceMs);
    // Every universe's state at `nowNs`; data is lost after its protocol's loss time.
    static void states(std::span<const FrameStore::Heard> heard, const Modes &modes, qint64 startNs,
                       qint64 nowNs, std::vector<State> &out);

    // Whether the picture would differ from the one last painted.
    bool changed(std::span<const FrameStore::Heard> heard, const Modes &modes, qint64 startNs,
                 qint64 nowNs) const;
    // Puts each universe's look (universe slot k from k * width) into `frame` and remembers
    // the states painted.
    void apply(std::span<quint8> frame, quint16 width, std::span<const FrameStore::Heard> heard,
               const Modes &modes, qint64 startNs, qint64 nowNs);
    // Nothing painted: every universe counts as live.
    void reset() { m_painted.clear(); }

private:
    std::vector<State> m_painted;
    mutable std::vector<State> m_scratch;
};
