#pragma once

#include "net/framestore.h"

#include <QByteArray>

// Whether any receiver changed the store since the last look; a look clears it.
inline bool storeChanged(FrameStore &store) {
    QByteArray scratch;
    return store.snapshot(scratch);
}
