// Arbitrary datagrams through the E1.31 receiver's packet path and merger into an attached
// frame store, each followed by a tick of the receiver's timer. The clock advances by the byte at
// the sequence number's offset (20 ms steps, up to 5 s), so source loss, 0xDD fallback and sync
// loss are reached across a run; the sender address comes from the first CID byte, so several
// sources meet in one universe.
#include "net/acnnet.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    // Three and a half universes of 510 channels, so the last slot is cut at the buffer end.
    static FrameStore store;
    static qint64 now = 0;
    static acnnet *receiver = [] {
        store.allocate(1785, 510);
        auto *created = new acnnet(nullptr);
        created->setClock([] { return now; });
        created->setStartUniverse(0);
        created->setFrameBuffer(&store);
        return created;
    }();
    now += size > 111 ? data[111] * 20 : 0;
    receiver->processDatagram(std::span<const quint8>(data, size),
                              0x0A000000u | (size > 22 ? data[22] : 0u));
    receiver->tick();
    if (size > 0 && data[size - 1] == 0xFF)
        receiver->stats();
    return 0;
}
