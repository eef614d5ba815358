#pragma once

#include <pulse/context.h>
#include <pulse/stream.h>
#include <pulse/thread-mainloop.h>

#include <cstdint>

#include "platform/pulse/block_queue.h"
#include "platform/pulse/pulse_errors.h"
#include "recording/sound_device.h"

namespace harkdeck {

// One capture or playback stream on a connection and audio thread of its own.
// The audio thread's callbacks copy between the server and the queued blocks
// and set done flags; every call from the recorder takes the loop lock, which
// the audio thread holds while it runs those callbacks.
class CPulseStream {
 public:
  enum class CDirection { kRecord, kPlayback };

  explicit CPulseStream(CDirection direction) : m_direction(direction) {}
  ~CPulseStream();
  CPulseStream(const CPulseStream&) = delete;
  CPulseStream& operator=(const CPulseStream&) = delete;

  // device: the server's name, or null for its default. Capture opens paused.
  MmResult Open(const char* device, const CSampleLayout& layout);
  MmResult Prepare(CBlockHeader& header);
  MmResult Queue(CBlockHeader& header);
  MmResult Start();
  MmResult Reset();
  MmResult Unprepare(CBlockHeader& header);
  void Close();

 private:
  static void OnContextState(pa_context* context, void* self);
  static void OnStreamState(pa_stream* stream, void* self);
  static void OnReadable(pa_stream* stream, std::size_t bytes, void* self);
  static void OnWritable(pa_stream* stream, std::size_t bytes, void* self);
  static void OnOperationDone(pa_stream* stream, int success, void* self);

  MmResult Connect(const char* device, const CSampleLayout& layout);
  void Capture(const std::uint8_t* data, std::size_t bytes);
  void Feed(std::size_t bytes);
  MmResult Await(pa_operation* operation);
  MmResult LastError() const;

  CDirection m_direction;
  pa_threaded_mainloop* m_loop = nullptr;
  pa_context* m_context = nullptr;
  pa_stream* m_stream = nullptr;
  CBlockQueue m_queue;
  std::uint8_t m_silence = 0;
  bool m_operationSucceeded = false;
};

}  // namespace harkdeck
