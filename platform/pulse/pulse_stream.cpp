#include "platform/pulse/pulse_stream.h"

#include <pulse/error.h>

#include <algorithm>
#include <cstring>

#include "platform/pulse/pulse_errors.h"

namespace harkdeck {

namespace {

constexpr const char* kClientName = "Harkdeck";
constexpr pa_usec_t kBlockTime = 200000;

}  // namespace

CPulseStream::~CPulseStream() { Close(); }

MmResult CPulseStream::Open(const char* device, const CSampleLayout& layout) {
  m_silence = layout.format == PA_SAMPLE_U8 ? 0x80 : 0;
  m_loop = pa_threaded_mainloop_new();
  if (m_loop == nullptr) return kMmNoMemory;
  pa_threaded_mainloop_set_name(m_loop, "harkdeck-audio");
  m_context = pa_context_new(pa_threaded_mainloop_get_api(m_loop), kClientName);
  if (m_context == nullptr) return kMmNoMemory;
  pa_context_set_state_callback(m_context, OnContextState, this);
  if (pa_context_connect(m_context, nullptr, PA_CONTEXT_NOFLAGS, nullptr) < 0) return LastError();
  if (pa_threaded_mainloop_start(m_loop) < 0) return kMmNoMemory;
  pa_threaded_mainloop_lock(m_loop);
  const MmResult result = Connect(device, layout);
  pa_threaded_mainloop_unlock(m_loop);
  return result;
}

MmResult CPulseStream::Connect(const char* device, const CSampleLayout& layout) {
  for (;;) {
    const pa_context_state_t state = pa_context_get_state(m_context);
    if (state == PA_CONTEXT_READY) break;
    if (!PA_CONTEXT_IS_GOOD(state)) return LastError();
    pa_threaded_mainloop_wait(m_loop);
  }
  const bool record = m_direction == CDirection::kRecord;
  m_stream = pa_stream_new(m_context, record ? "Recording" : "Playback", &layout, nullptr);
  if (m_stream == nullptr) return LastError();
  pa_stream_set_state_callback(m_stream, OnStreamState, this);

  // One block per wake-up: the server then calls us about five times a second.
  const auto block = static_cast<std::uint32_t>(pa_usec_to_bytes(kBlockTime, &layout));
  pa_buffer_attr attr;
  attr.maxlength = static_cast<std::uint32_t>(-1);
  attr.tlength = static_cast<std::uint32_t>(-1);
  attr.prebuf = static_cast<std::uint32_t>(-1);
  attr.minreq = static_cast<std::uint32_t>(-1);
  attr.fragsize = static_cast<std::uint32_t>(-1);
  const auto flags = static_cast<pa_stream_flags_t>(
      PA_STREAM_ADJUST_LATENCY | (record ? PA_STREAM_START_CORKED : PA_STREAM_NOFLAGS));
  int connected = 0;
  if (record) {
    attr.fragsize = block;
    pa_stream_set_read_callback(m_stream, OnReadable, this);
    connected = pa_stream_connect_record(m_stream, device, &attr, flags);
  } else {
    attr.tlength = 2 * block;
    attr.minreq = block;
    pa_stream_set_write_callback(m_stream, OnWritable, this);
    connected = pa_stream_connect_playback(m_stream, device, &attr, flags, nullptr, nullptr);
  }
  if (connected < 0) return LastError();
  for (;;) {
    const pa_stream_state_t state = pa_stream_get_state(m_stream);
    if (state == PA_STREAM_READY) return kMmNoError;
    if (!PA_STREAM_IS_GOOD(state)) return LastError();
    pa_threaded_mainloop_wait(m_loop);
  }
}

MmResult CPulseStream::Prepare(CBlockHeader& header) {
  header.flags.fetch_or(kHeaderPrepared, std::memory_order_acq_rel);
  return kMmNoError;
}

MmResult CPulseStream::Queue(CBlockHeader& header) {
  if (!header.IsPrepared()) return kWaveUnprepared;
  if (m_loop == nullptr) return kMmInvalidHandle;
  pa_threaded_mainloop_lock(m_loop);
  MmResult result = kMmNoError;
  if (m_queue.Contains(header)) {
    result = kWaveStillPlaying;
  } else if (m_queue.Full()) {
    result = kMmNoMemory;
  } else {
    header.flags.fetch_and(~kHeaderDone, std::memory_order_acq_rel);
    header.bytesRecorded.store(0, std::memory_order_relaxed);
    m_queue.Push(header);
    if (m_direction == CDirection::kPlayback && m_stream != nullptr &&
        pa_stream_get_state(m_stream) == PA_STREAM_READY) {
      const std::size_t writable = pa_stream_writable_size(m_stream);
      if (writable != static_cast<std::size_t>(-1)) Feed(writable);
    }
  }
  pa_threaded_mainloop_unlock(m_loop);
  return result;
}

MmResult CPulseStream::Start() {
  if (m_loop == nullptr) return kMmInvalidHandle;
  pa_threaded_mainloop_lock(m_loop);
  MmResult result = LastError();
  if (m_stream != nullptr && pa_stream_get_state(m_stream) == PA_STREAM_READY) {
    result = Await(pa_stream_cork(m_stream, 0, OnOperationDone, this));
  }
  pa_threaded_mainloop_unlock(m_loop);
  return result;
}

MmResult CPulseStream::Reset() {
  if (m_loop == nullptr) return kMmInvalidHandle;
  pa_threaded_mainloop_lock(m_loop);
  // Emptied first: while we wait for the server below, the audio thread runs
  // and must find nothing left to fill or play.
  m_queue.ReturnAll();
  if (m_stream != nullptr && pa_stream_get_state(m_stream) == PA_STREAM_READY) {
    if (m_direction == CDirection::kRecord) {
      Await(pa_stream_cork(m_stream, 1, OnOperationDone, this));
    }
    // Drops what the server still holds, so nothing queued before the reset
    // is heard afterwards.
    Await(pa_stream_flush(m_stream, OnOperationDone, this));
  }
  pa_threaded_mainloop_unlock(m_loop);
  return kMmNoError;
}

MmResult CPulseStream::Unprepare(CBlockHeader& header) {
  if (m_loop != nullptr) {
    pa_threaded_mainloop_lock(m_loop);
    const bool queued = m_queue.Contains(header);
    pa_threaded_mainloop_unlock(m_loop);
    // The audio thread may still write into it.
    if (queued) return kWaveStillPlaying;
  }
  header.flags.fetch_and(~kHeaderPrepared, std::memory_order_acq_rel);
  return kMmNoError;
}

void CPulseStream::Close() {
  if (m_loop == nullptr) return;
  pa_threaded_mainloop_lock(m_loop);
  m_queue.ReturnAll();
  if (m_stream != nullptr) {
    pa_stream_set_state_callback(m_stream, nullptr, nullptr);
    pa_stream_set_read_callback(m_stream, nullptr, nullptr);
    pa_stream_set_write_callback(m_stream, nullptr, nullptr);
    pa_stream_disconnect(m_stream);
    pa_stream_unref(m_stream);
    m_stream = nullptr;
  }
  if (m_context != nullptr) {
    pa_context_set_state_callback(m_context, nullptr, nullptr);
    pa_context_disconnect(m_context);
  }
  pa_threaded_mainloop_unlock(m_loop);
  pa_threaded_mainloop_stop(m_loop);
  if (m_context != nullptr) pa_context_unref(m_context);
  m_context = nullptr;
  pa_threaded_mainloop_free(m_loop);
  m_loop = nullptr;
}

void CPulseStream::OnContextState(pa_context*, void* self) {
  pa_threaded_mainloop_signal(static_cast<CPulseStream*>(self)->m_loop, 0);
}

void CPulseStream::OnStreamState(pa_stream*, void* self) {
  pa_threaded_mainloop_signal(static_cast<CPulseStream*>(self)->m_loop, 0);
}

void CPulseStream::OnOperationDone(pa_stream*, int success, void* self) {
  auto* stream = static_cast<CPulseStream*>(self);
  stream->m_operationSucceeded = success != 0;
  pa_threaded_mainloop_signal(stream->m_loop, 0);
}

void CPulseStream::OnReadable(pa_stream* stream, std::size_t, void* self) {
  const void* data = nullptr;
  std::size_t bytes = 0;
  while (pa_stream_peek(stream, &data, &bytes) == 0 && bytes > 0) {
    static_cast<CPulseStream*>(self)->Capture(static_cast<const std::uint8_t*>(data), bytes);
    pa_stream_drop(stream);
  }
}

void CPulseStream::OnWritable(pa_stream*, std::size_t bytes, void* self) {
  static_cast<CPulseStream*>(self)->Feed(bytes);
}

// Audio thread. With nothing queued the data is lost, as on a card whose
// program did not hand back its buffers in time.
void CPulseStream::Capture(const std::uint8_t* data, std::size_t bytes) {
  while (bytes > 0 && !m_queue.Empty()) {
    CBlockHeader& header = m_queue.Front();
    std::uint32_t& offset = m_queue.FrontOffset();
    const auto chunk =
        static_cast<std::uint32_t>(std::min<std::size_t>(header.bufferLength - offset, bytes));
    // A hole in the stream (null data) is silence, so the blocks keep time.
    if (data != nullptr) {
      std::memcpy(header.data + offset, data, chunk);
      data += chunk;
    } else {
      std::memset(header.data + offset, m_silence, chunk);
    }
    offset += chunk;
    bytes -= chunk;
    if (offset == header.bufferLength) m_queue.CompleteFront(header.bufferLength);
  }
}

// A block counts as played once the server has taken all of it; the server
// holds at most about two blocks beyond that, and a reset drops them.
void CPulseStream::Feed(std::size_t bytes) {
  while (bytes > 0 && !m_queue.Empty()) {
    CBlockHeader& header = m_queue.Front();
    std::uint32_t& offset = m_queue.FrontOffset();
    std::size_t chunk = std::min<std::size_t>(header.bufferLength - offset, bytes);
    if (chunk > 0) {
      void* buffer = nullptr;
      std::size_t size = chunk;
      if (pa_stream_begin_write(m_stream, &buffer, &size) < 0 || buffer == nullptr) return;
      chunk = std::min(chunk, size);
      std::memcpy(buffer, header.data + offset, chunk);
      if (pa_stream_write(m_stream, buffer, chunk, nullptr, 0, PA_SEEK_RELATIVE) < 0) return;
      offset += static_cast<std::uint32_t>(chunk);
      bytes -= chunk;
    }
    if (offset == header.bufferLength) m_queue.CompleteFront(header.bufferLength);
  }
}

MmResult CPulseStream::Await(pa_operation* operation) {
  if (operation == nullptr) return LastError();
  m_operationSucceeded = false;
  while (pa_operation_get_state(operation) == PA_OPERATION_RUNNING) {
    pa_threaded_mainloop_wait(m_loop);
  }
  const bool succeeded =
      pa_operation_get_state(operation) == PA_OPERATION_DONE && m_operationSucceeded;
  pa_operation_unref(operation);
  return succeeded ? kMmNoError : LastError();
}

MmResult CPulseStream::LastError() const {
  if (m_context == nullptr) return kMmNoDriver;
  const MmResult result = MmResultFromPulse(pa_context_errno(m_context));
  if (result != kMmNoError) return result;
  return PA_CONTEXT_IS_GOOD(pa_context_get_state(m_context)) ? kMmError : kMmNoDriver;
}

}  // namespace harkdeck
