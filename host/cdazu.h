// The host adapter: turns host requests into calls of the script's hooks.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

#include "host/audio_effect_x.h"
#include "host/cdazu_hooks.h"

namespace VSTGUI {
class CDrawContext;
}  // namespace VSTGUI

// The font descriptions made for the script, kept by the drawing side
// (editor/drawing/font_cache.h). The adapter owns the cache for its lifetime
// but never looks inside, so the host layer needs no drawing header.
class CDaZUFontCache {
 public:
  virtual ~CDaZUFontCache() = default;
};

class CDaZU : public AudioEffectX {
 public:
  static constexpr int32_t kMidiRingSize = 1000;
  using MidiSlot = std::array<unsigned char, 32>;

  // Null when the host answers 0 to audioMasterVersion (it is no VST host).
  static CDaZU* create(void* scriptObject, const CDaZUHooks& hooks, audioMasterCallback audioMaster,
                       int32_t numPrograms, int32_t numParams);
  ~CDaZU() override;

  void open() override;
  void close() override;
  void suspend() override;
  void resume() override;
  void processReplacing(float** inputs, float** outputs, int32_t sampleFrames) override;
  void processDoubleReplacing(double** inputs, double** outputs, int32_t sampleFrames) override;
  void setParameter(int32_t index, float value) override;
  float getParameter(int32_t index) override;
  void setProgramName(const char* name) override;
  void getProgramName(char* name, size_t capacity) override;
  void getParameterLabel(int32_t index, char* label, size_t capacity) override;
  void getParameterDisplay(int32_t index, char* text, size_t capacity) override;
  void getParameterName(int32_t index, char* text, size_t capacity) override;
  int32_t getChunk(void** data, bool isPreset) override;
  int32_t setChunk(const void* data, int32_t byteSize, bool isPreset) override;
  bool getProgramNameIndexed(int32_t category, int32_t index, char* text) override;
  int32_t processEvents(VstEvents* events) override;
  bool getEffectName(char* name, size_t capacity) override;
  bool getVendorString(char* text, size_t capacity) override;
  bool getProductString(char* text, size_t capacity) override;
  int32_t getVendorVersion() override;
  intptr_t canDo(const char* text) override;

  void* getScriptObject() const { return scriptObject; }
  const CDaZUHooks& getHooks() const { return hooks; }
  VSTGUI::CDrawContext* getDrawContext() const { return drawContext; }
  void setDrawContext(VSTGUI::CDrawContext* context) { drawContext = context; }
  // Null until the script first selects a font while the view draws.
  CDaZUFontCache* getFontCache() const { return fontCache.get(); }
  void setFontCache(std::unique_ptr<CDaZUFontCache> cache) { fontCache = std::move(cache); }

  // Takes the oldest unread MIDI event: 1 when one was taken, else 0 and zeros.
  int32_t receiveMidi(int32_t* deltaFrames, int32_t* status, int32_t* data1, int32_t* data2);
  int32_t getMidiWriteIndex() const { return midiWriteIndex; }
  int32_t getMidiReadIndex() const { return midiReadIndex; }

 private:
  CDaZU(void* scriptObject, const CDaZUHooks& hooks, audioMasterCallback audioMaster,
        int32_t numPrograms, int32_t numParams);

  void* scriptObject;
  VSTGUI::CDrawContext* drawContext = nullptr;  // set only while the view draws
  int32_t midiWriteIndex = 0;
  int32_t midiReadIndex = 0;
  std::unique_ptr<CDaZUFontCache> fontCache;
  std::vector<MidiSlot> midiRing;
  CDaZUHooks hooks;
};
