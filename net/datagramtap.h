#pragma once

#include "net/udpreceive.h"

#include <QtGlobal>

#include <span>

// Sees every datagram a receiver reads, before any parsing, so a recording keeps what the
// input rules drop as well. Called on the receiver's own thread for each datagram, so it must
// never block or allocate.
class DatagramTap {
public:
    virtual ~DatagramTap() = default;
    // `port` is the one the receiving socket is bound to.
    virtual void tap(quint16 port, std::span<const quint8> datagram,
                     const DatagramFacts &facts) = 0;
};
