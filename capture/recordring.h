#pragma once

#include "net/udpreceive.h"

#include <QtGlobal>

#include <atomic>
#include <cstring>
#include <mutex>
#include <span>
#include <vector>

// The queue between the receive threads and the file writer: fixed-size slots allocated once,
// so a datagram costs one copy and no allocation. Senders take a short lock only among
// themselves (a receiver being replaced may still be reading beside its successor); the one
// reader needs none. A full ring refuses the datagram instead of waiting.
class RecordRing {
public:
    struct Entry {
        DatagramFacts facts;
        quint16 port = 0;
        quint16 length = 0;
    };

    // `slotCount` a power of two.
    RecordRing(size_t slotCount, size_t slotBytes)
        : m_mask(slotCount - 1), m_slotBytes(slotBytes), m_entries(slotCount),
          m_bytes(slotCount * slotBytes) {}

    // False when full. Datagrams longer than a slot are cut to it.
    bool push(quint16 port, std::span<const quint8> datagram, const DatagramFacts &facts) {
        const std::lock_guard lock(m_pushLock);
        const size_t head = m_head.load(std::memory_order_relaxed);
        if (head - m_tail.load(std::memory_order_acquire) > m_mask)
            return false;
        const size_t slot = head & m_mask;
        const size_t length = std::min(datagram.size(), m_slotBytes);
        std::memcpy(&m_bytes[slot * m_slotBytes], datagram.data(), length);
        m_entries[slot] = Entry{facts, port, quint16(length)};
        m_head.store(head + 1, std::memory_order_release);
        return true;
    }

    // The reader's side: the oldest entry and its bytes, null when empty.
    const Entry *front() const {
        const size_t tail = m_tail.load(std::memory_order_relaxed);
        return tail == m_head.load(std::memory_order_acquire) ? nullptr : &m_entries[tail & m_mask];
    }
    std::span<const quint8> bytesOf(const Entry &entry) const {
        const size_t slot = size_t(&entry - m_entries.data());
        return {&m_bytes[slot * m_slotBytes], entry.length};
    }
    void pop() { m_tail.fetch_add(1, std::memory_order_release); }

private:
    const size_t m_mask;
    const size_t m_slotBytes;
    std::vector<Entry> m_entries;
    std::vector<quint8> m_bytes;
    std::mutex m_pushLock;
    alignas(64) std::atomic<size_t> m_head{0};
    alignas(64) std::atomic<size_t> m_tail{0};
};
