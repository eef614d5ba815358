#include "platform/pulse/pulse_device_list.h"

#include <pulse/context.h>
#include <pulse/introspect.h>
#include <pulse/mainloop.h>

#include <algorithm>
#include <new>

#include "platform/pulse/pulse_errors.h"

namespace harkdeck {

namespace {

constexpr const char* kClientName = "Harkdeck";

// A connection that lives for one question.
class CPulseQuery {
 public:
  CPulseQuery() = default;
  CPulseQuery(const CPulseQuery&) = delete;
  CPulseQuery& operator=(const CPulseQuery&) = delete;
  ~CPulseQuery() {
    if (m_context != nullptr) {
      pa_context_disconnect(m_context);
      pa_context_unref(m_context);
    }
    if (m_loop != nullptr) pa_mainloop_free(m_loop);
  }

  MmResult Connect() {
    m_loop = pa_mainloop_new();
    if (m_loop == nullptr) return kMmNoMemory;
    m_context = pa_context_new(pa_mainloop_get_api(m_loop), kClientName);
    if (m_context == nullptr) return kMmNoMemory;
    if (pa_context_connect(m_context, nullptr, PA_CONTEXT_NOFLAGS, nullptr) < 0) {
      return MmResultFromPulse(pa_context_errno(m_context));
    }
    for (;;) {
      const pa_context_state_t state = pa_context_get_state(m_context);
      if (state == PA_CONTEXT_READY) return kMmNoError;
      if (!PA_CONTEXT_IS_GOOD(state)) return MmResultFromPulse(pa_context_errno(m_context));
      if (pa_mainloop_iterate(m_loop, 1, nullptr) < 0) return kMmNoDriver;
    }
  }

  MmResult Run(pa_operation* operation) {
    if (operation == nullptr) return MmResultFromPulse(pa_context_errno(m_context));
    MmResult result = kMmNoError;
    while (pa_operation_get_state(operation) == PA_OPERATION_RUNNING) {
      if (pa_mainloop_iterate(m_loop, 1, nullptr) < 0) {
        result = kMmNoDriver;
        break;
      }
    }
    if (result == kMmNoError && pa_operation_get_state(operation) != PA_OPERATION_DONE) {
      result = MmResultFromPulse(pa_context_errno(m_context));
      if (result == kMmNoError) result = kMmNoDriver;
    }
    pa_operation_unref(operation);
    return result;
  }

  pa_context* Context() const { return m_context; }

 private:
  pa_mainloop* m_loop = nullptr;
  pa_context* m_context = nullptr;
};

struct CListing {
  std::vector<CPulseDevice>* devices;
  bool outOfMemory = false;
};

// Called from inside the library: nothing may be thrown through it.
void Add(void* listing, const char* name, const char* description, bool monitor) {
  auto* list = static_cast<CListing*>(listing);
  try {
    list->devices->push_back({name, description != nullptr ? description : name, monitor});
  } catch (const std::bad_alloc&) {
    list->outOfMemory = true;
  }
}

void AddSource(pa_context*, const pa_source_info* info, int eol, void* listing) {
  if (eol == 0 && info != nullptr) {
    Add(listing, info->name, info->description, info->monitor_of_sink != PA_INVALID_INDEX);
  }
}

void AddSink(pa_context*, const pa_sink_info* info, int eol, void* listing) {
  if (eol == 0 && info != nullptr) Add(listing, info->name, info->description, false);
}

}  // namespace

MmResult ListPulseSources(std::vector<CPulseDevice>* sources) {
  try {
    sources->clear();
    CPulseQuery query;
    if (const MmResult result = query.Connect(); result != kMmNoError) return result;
    CListing listing{sources};
    MmResult result =
        query.Run(pa_context_get_source_info_list(query.Context(), AddSource, &listing));
    if (listing.outOfMemory) result = kMmNoMemory;
    // Inputs first, then what other programs play, so a listener can also
    // record a receiver program's output.
    std::stable_partition(sources->begin(), sources->end(),
                          [](const CPulseDevice& device) { return !device.monitor; });
    return result;
  } catch (const std::bad_alloc&) {
    return kMmNoMemory;
  }
}

MmResult ListPulseSinks(std::vector<CPulseDevice>* sinks) {
  try {
    sinks->clear();
    CPulseQuery query;
    if (const MmResult result = query.Connect(); result != kMmNoError) return result;
    CListing listing{sinks};
    const MmResult result =
        query.Run(pa_context_get_sink_info_list(query.Context(), AddSink, &listing));
    return listing.outOfMemory ? kMmNoMemory : result;
  } catch (const std::bad_alloc&) {
    return kMmNoMemory;
  }
}

}  // namespace harkdeck
