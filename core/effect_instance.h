// One running effect, as every plug-in format's adapter owns it: the effect object
// and its hook table, what the effect asks of the host, and the drawing state the
// editor keeps per instance. It knows no plug-in format and no GUI library.
#pragma once

#include <cstdint>
#include <memory>

#include "core/host_interface.h"
#include "core/instance_hooks.h"

class EditorLink;
struct PaintFunctions;

namespace VSTGUI {
class CDrawContext;
}  // namespace VSTGUI

// The font descriptions made for the script, kept by the drawing side
// (editor/drawing/font_cache.h). The instance owns the cache but never looks
// inside it.
class InstanceFontCache {
 public:
  virtual ~InstanceFontCache() = default;
};

class EffectInstance {
 public:
  // The effect object is owned from here on: the Delete hook ends it.
  EffectInstance(void* effectObject, const InstanceHooks& hooks, HostInterface& host,
                 const PaintFunctions* paint = nullptr);
  ~EffectInstance() { end(); }
  EffectInstance(const EffectInstance&) = delete;
  EffectInstance& operator=(const EffectInstance&) = delete;

  // Releases the script's fonts, then ends the effect object; once. An adapter
  // calls it early when something that outlives the effect must go after it.
  void end();

  void* getEffectObject() const { return effectObject; }
  const InstanceHooks& getHooks() const { return hooks; }
  HostInterface& host() const { return hostInterface; }
  // Null in a binary that links no editor.
  const PaintFunctions* paintFunctions() const { return paint; }

  // The editor showing this instance, if any; it links and unlinks itself.
  EditorLink* getEditorLink() const { return editorLink; }
  void setEditorLink(EditorLink* link) { editorLink = link; }

  // The size of the view the graphics section draws, in the design's pixels; 0 × 0
  // when there is none.
  bool hasView() const { return viewWidth > 0 && viewHeight > 0; }
  int32_t getViewWidth() const { return viewWidth; }
  int32_t getViewHeight() const { return viewHeight; }
  void setViewSize(int32_t width, int32_t height) {
    viewWidth = width;
    viewHeight = height;
  }

  // How many of the screen's pixels stand for one of the view's (core/display_scale.h):
  // the drawing side multiplies what the graphics section draws by it.
  double getDisplayScale() const { return displayScale; }
  void setDisplayScale(double scale) { displayScale = scale; }

  VSTGUI::CDrawContext* getDrawContext() const { return drawContext; }
  void setDrawContext(VSTGUI::CDrawContext* context) { drawContext = context; }
  // Null until the script first selects a font while the view draws.
  InstanceFontCache* getFontCache() const { return fontCache.get(); }
  void setFontCache(std::unique_ptr<InstanceFontCache> cache) { fontCache = std::move(cache); }

 private:
  void* effectObject;
  InstanceHooks hooks;
  HostInterface& hostInterface;
  const PaintFunctions* paint;
  EditorLink* editorLink = nullptr;
  int32_t viewWidth = 0;
  int32_t viewHeight = 0;
  double displayScale = 1;
  VSTGUI::CDrawContext* drawContext = nullptr;  // set only while the view draws
  std::unique_ptr<InstanceFontCache> fontCache;
};
