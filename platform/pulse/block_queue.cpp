#include "platform/pulse/block_queue.h"

namespace harkdeck {

namespace {

void MarkDone(CBlockHeader& header, std::uint32_t bytes) {
  header.bytesRecorded.store(bytes, std::memory_order_relaxed);
  header.flags.fetch_or(kHeaderDone, std::memory_order_release);
}

}  // namespace

bool CBlockQueue::Contains(const CBlockHeader& header) const {
  for (std::size_t i = 0; i < m_count; ++i) {
    if (m_slots[(m_head + i) % kCapacity] == &header) return true;
  }
  return false;
}

void CBlockQueue::Push(CBlockHeader& header) {
  m_slots[(m_head + m_count) % kCapacity] = &header;
  ++m_count;
}

void CBlockQueue::CompleteFront(std::uint32_t bytes) {
  CBlockHeader& header = Front();
  m_head = (m_head + 1) % kCapacity;
  --m_count;
  m_frontOffset = 0;
  MarkDone(header, bytes);
}

void CBlockQueue::ReturnAll() {
  while (!Empty()) CompleteFront(0);
}

}  // namespace harkdeck
