// The host's side of the conversation, fuzzed: any sequence of dispatcher calls
// with any opcode, index, value and opt, audio blocks, parameter calls and a
// drawn frame. Like a real host it never passes a garbage pointer: each pointer
// argument points at a buffer of the size the standard gives its opcode, in an
// allocation of its own, so that a byte written past it is caught.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <bit>
#include <cstddef>
#include <memory>
#include <vector>

#include "editor/offscreen_render.h"
#include "fuzz/fuzz_support.h"
#include "tools/loader/plugin_library.h"
#include "vst2/cdazu.h"
#include "vst2/plugin/create_effect.h"

namespace {

constexpr int kMaxSteps = 64;
constexpr int32_t kMaxFrames = 4096;
constexpr size_t kMaxChunkBytes = 1024;
constexpr int kMaxEvents = 4;
// Any record the plug-in does not read, zeroed: some hold pointers.
constexpr size_t kUnreadRecordBytes = 1024;
constexpr size_t kPinPropertiesBytes = 128;
constexpr size_t kParameterPropertiesBytes = 152;
constexpr size_t kMidiProgramNameBytes = 80;
constexpr size_t kMidiProgramCategoryBytes = 76;
constexpr size_t kMidiKeyNameBytes = 80;
constexpr size_t kPatchChunkInfoBytes = 64;
constexpr size_t kSpeakerArrangementBytes = 904;

// The size of what the pointer argument of `opcode` points at, filled from the
// input; 0 for a record the plug-in does not read.
size_t PointerBytes(int32_t opcode) {
  switch (opcode) {
    case effSetProgramName:
    case effGetProgramName:
    case effGetProgramNameIndexed:
      return kVstMaxProgNameLen;
    case effGetParamLabel:
    case effGetParamDisplay:
    case effGetParamName:
      return kVstMaxParamStrLen;
    case effEditGetRect:
    case effGetChunk:
    case effGetSpeakerArrangement:
      return sizeof(void*);
    case effGetEffectName:
      return kVstMaxEffectNameLen;
    case effGetVendorString:
    case effGetProductString:
    case effShellGetNextPlugin:
      return kVstMaxVendorStrLen;
    case effGetInputProperties:
    case effGetOutputProperties:
      return kPinPropertiesBytes;
    case effGetParameterProperties:
      return kParameterPropertiesBytes;
    case effGetMidiProgramName:
    case effGetCurrentMidiProgram:
      return kMidiProgramNameBytes;
    case effGetMidiProgramCategory:
      return kMidiProgramCategoryBytes;
    case effGetMidiKeyName:
      return kMidiKeyNameBytes;
    case effBeginLoadBank:
    case effBeginLoadProgram:
      return kPatchChunkInfoBytes;
    case effSetSpeakerArrangement:
      return kSpeakerArrangementBytes;
    case effCanDo:
    case effString2Parameter:
      return 1 + kVstMaxVendorStrLen;
    default:
      return 0;
  }
}

// A buffer of exactly `size` bytes from the input, text-terminated: a host's
// strings always end.
std::unique_ptr<char[]> FilledBuffer(FuzzedDataProvider& input, size_t size) {
  auto buffer = std::make_unique<char[]>(size);
  const std::vector<char> bytes = input.ConsumeBytes<char>(size);
  std::copy(bytes.begin(), bytes.end(), buffer.get());
  buffer[size - 1] = 0;
  return buffer;
}

// A list of events as hosts build it: MIDI events of their own size, SysEx
// events with a dump behind them, other kinds as bare events.
class EventList {
 public:
  explicit EventList(FuzzedDataProvider& input) {
    const int count = input.ConsumeIntegralInRange(0, kMaxEvents);
    list = std::make_unique<char[]>(offsetof(VstEvents, events) +
                                    sizeof(VstEvent*) * std::max(count, 2));
    auto* events = reinterpret_cast<VstEvents*>(list.get());
    events->numEvents = count;
    VstEvent** slots = events->events;  // the list runs past the two entries declared
    for (int i = 0; i < count; ++i) {
      const int32_t type =
          input.ConsumeBool()
              ? kVstMidiType
              : input.PickValueInArray({kVstSysExType, input.ConsumeIntegral<int32_t>()});
      const size_t size = type == kVstSysExType ? sizeof(VstMidiSysexEvent) : sizeof(VstEvent);
      std::unique_ptr<char[]> event = FilledBuffer(input, size);
      auto* header = reinterpret_cast<VstEvent*>(event.get());
      header->type = type;
      header->byteSize = static_cast<int32_t>(size);
      if (type == kVstSysExType) {
        dumps.push_back(FilledBuffer(input, 16));
        auto* sysex = reinterpret_cast<VstMidiSysexEvent*>(event.get());
        sysex->dumpBytes = 16;
        sysex->sysexDump = dumps.back().get();
      }
      slots[i] = header;
      owned.push_back(std::move(event));
    }
  }

  VstEvents* get() { return reinterpret_cast<VstEvents*>(list.get()); }

 private:
  std::unique_ptr<char[]> list;
  std::vector<std::unique_ptr<char[]>> owned;
  std::vector<std::unique_ptr<char[]>> dumps;
};

float AnyFloat(FuzzedDataProvider& input) {
  return std::bit_cast<float>(input.ConsumeIntegral<uint32_t>());
}

// Returns false once the effect is closed.
bool CallDispatcher(AEffect* e, FuzzedDataProvider& input) {
  const int32_t opcode =
      input.ConsumeBool() ? input.ConsumeIntegralInRange(0, 80) : input.ConsumeIntegral<int32_t>();
  const auto index = input.ConsumeIntegral<int32_t>();
  auto value = input.ConsumeIntegral<intptr_t>();
  const float opt = AnyFloat(input);
  switch (opcode) {
    case effClose:
      Dispatch(e, effClose, index, value, nullptr, opt);
      return false;
    case effEditOpen:  // its pointer is a parent window, which a fuzzer cannot make
      return true;
    case effSetChunk: {
      std::vector<char> chunk =
          input.ConsumeBytes<char>(input.ConsumeIntegralInRange<size_t>(0, kMaxChunkBytes));
      Dispatch(e, effSetChunk, index, static_cast<intptr_t>(chunk.size()), chunk.data(), opt);
      return true;
    }
    case effProcessEvents: {
      EventList events(input);
      Dispatch(e, effProcessEvents, index, value, events.get(), opt);
      return true;
    }
    default:
      break;
  }
  const size_t bytes = PointerBytes(opcode);
  std::unique_ptr<char[]> buffer =
      bytes > 0 ? FilledBuffer(input, bytes) : std::make_unique<char[]>(kUnreadRecordBytes);
  // These two take a second record of the same kind through value.
  std::unique_ptr<char[]> second;
  if (opcode == effGetSpeakerArrangement || opcode == effSetSpeakerArrangement) {
    second = FilledBuffer(input, bytes);
    value = reinterpret_cast<intptr_t>(second.get());
  }
  Dispatch(e, opcode, index, value, buffer.get(), opt);
  return true;
}

template <class Sample>
void ProcessBlock(AEffect* e, FuzzedDataProvider& input,
                  void (*process)(AEffect*, Sample**, Sample**, int32_t)) {
  const auto frames = static_cast<size_t>(input.ConsumeIntegralInRange(0, kMaxFrames));
  std::vector<uint8_t> bytes = input.ConsumeBytes<uint8_t>(2 * frames * sizeof(Sample));
  bytes.resize(2 * frames * sizeof(Sample));
  RequirePassThrough(e, process, ValuesFrom<Sample>(bytes.data(), frames),
                     ValuesFrom<Sample>(bytes.data() + frames * sizeof(Sample), frames));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider input(data, size);
  AEffect* e = CreateEffect(FuzzHost);
  Require(e != nullptr, "a VST host gets an effect");
  bool open = true, drawn = false;
  for (int step = 0; open && step < kMaxSteps && input.remaining_bytes() > 0; ++step) {
    switch (input.ConsumeIntegralInRange(0, 7)) {
      case 0:
        ProcessBlock(e, input, e->processReplacing);
        break;
      case 1:
        ProcessBlock(e, input, e->processDoubleReplacing);
        break;
      case 2:
        e->setParameter(e, input.ConsumeIntegral<int32_t>(), AnyFloat(input));
        break;
      case 3:
        e->getParameter(e, input.ConsumeIntegral<int32_t>());
        break;
      case 4:
        // Drawing costs more than all the rest: once per run is enough to see the state.
        if (!drawn) RenderEditorOffscreen(&static_cast<CDaZU*>(e->object)->instance());
        drawn = true;
        break;
      default:
        open = CallDispatcher(e, input);
        break;
    }
  }
  if (open) Dispatch(e, effClose);
  return 0;
}
