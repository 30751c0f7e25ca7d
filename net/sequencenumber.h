#pragma once

#include <QtGlobal>

// The out-of-order rule E1.31 gives and Art-Net receivers share: a sequence number 0 to 19
// steps behind the last one (modulo 256) is a late or repeated packet; further back is a
// sender that restarted.
inline bool sequenceOutOfOrder(quint8 sequence, quint8 last) {
    const int difference = qint8(quint8(sequence - last));
    return difference <= 0 && difference > -20;
}
