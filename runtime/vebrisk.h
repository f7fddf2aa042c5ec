// The frame every translated effect derives from: its sections, the timed
// redraw and the state chunk.
#pragma once

#include <cstdint>

#include "runtime/mouse.h"

class TVebrisk : public CVebriskMouse {
 public:
  static constexpr float kStateMarker = -1000.0f;

  TVebrisk();
  virtual ~TVebrisk();

  virtual void Reset();
  virtual void OnClose() {}
  virtual void OnSuspend() {}
  virtual void OnResume();
  virtual void DoInit() {}
  // Runs DoInit on the first call only; returns the number of calls so far.
  virtual int32_t InitOnce();
  virtual void DoGraphics() {}
  // Asks for a redraw when more than 1000 / frameRate ms have passed since the last.
  virtual void OnIdle();
  virtual void DoSerialize() {}
  // Loads a chunk of `size` bytes; returns `size`.
  virtual int32_t SetState(const void* data, int32_t size);
  // Points *data at the chunk the frame keeps and returns its size; 0 for no chunk.
  virtual int32_t GetState(void** data);

  // One value in or out of the state stream, as DoSerialize transfers it.
  void TransferState(double& v) { TransferFileValue(0, v); }

  int32_t LastRedrawClock = 0;
  int32_t InitCount = 0;

 private:
  FileRecord& ReopenStateStream(int32_t mode);
};
