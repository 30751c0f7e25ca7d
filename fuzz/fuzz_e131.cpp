// Arbitrary datagrams through the E1.31 receiver's packet path into an attached frame store.
#include "net/acnnet.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    // Three and a half universes of 510 channels, so the last slot is cut at the buffer end.
    static FrameStore store;
    static acnnet *receiver = [] {
        store.allocate(1785, 510);
        auto *created = new acnnet(nullptr);
        created->setStartUniverse(0);
        created->setFrameBuffer(&store);
        return created;
    }();
    receiver->processDatagram(std::span<const quint8>(data, size));
    receiver->takeFrame();
    return 0;
}
