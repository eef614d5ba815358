#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "recording/sound_device.h"

namespace harkdeck {

// The headers queued on one stream, in queue order, with how far the oldest
// has been filled or played. Fixed storage, so the audio thread never
// allocates; whoever touches it holds the stream's loop lock.
class CBlockQueue {
 public:
  static constexpr std::size_t kCapacity = 16;

  bool Empty() const { return m_count == 0; }
  bool Full() const { return m_count == kCapacity; }
  bool Contains(const CBlockHeader& header) const;
  void Push(CBlockHeader& header);

  CBlockHeader& Front() const { return *m_slots[m_head]; }
  std::uint32_t& FrontOffset() { return m_frontOffset; }
  // Hands the oldest header back done with this many bytes in it.
  void CompleteFront(std::uint32_t bytes);
  // Hands every queued header back done and empty.
  void ReturnAll();

 private:
  std::array<CBlockHeader*, kCapacity> m_slots{};
  std::size_t m_head = 0;
  std::size_t m_count = 0;
  std::uint32_t m_frontOffset = 0;
};

}  // namespace harkdeck
