// One editor frame drawn offscreen by the plug-in's graphics section, beside a
// bare Cairo program that draws the same picture directly (the floor); each at
// display scale 1 and 2 (the argument, in percent).
#include <benchmark/benchmark.h>
#include <cairo.h>

#include <cmath>
#include <vector>

#include "editor/offscreen_render.h"
#include "effect/meter_model.h"
#include "effect/vebrisk_effect.h"
#include "platform/module_services.h"
#include "tools/loader/minimal_host.h"
#include "vst2/cdazu.h"
#include "vst2/plugin/create_effect.h"

namespace {

// A minute of a busy signal, so that both histories are full of varied points.
void FillHistories(AEffect* effect, EffectInstance* instance) {
  std::vector<float> left(1470), right(1470);
  for (int graphFrame = 0; graphFrame < 120; ++graphFrame) {
    for (size_t i = 0; i < left.size(); ++i) {
      left[i] = static_cast<float>(0.4 * std::sin(0.01 * graphFrame * static_cast<double>(i)));
      right[i] = static_cast<float>((i / (5 + graphFrame % 20)) % 2 ? 0.2 : -0.2);
    }
    float* io[] = {left.data(), right.data()};
    effect->processReplacing(effect, io, io, static_cast<int32_t>(left.size()));
    RenderEditorOffscreen(instance);
  }
}

// A meter whose histories are full; closed when it goes.
struct BusyMeter {
  BusyMeter()
      : effect(CreateEffect(MinimalHostCallback)),
        instance(&static_cast<CDaZU*>(effect->object)->instance()) {
    effect->dispatcher(effect, effOpen, 0, 0, nullptr, 0.0f);
    effect->dispatcher(effect, effMainsChanged, 0, 1, nullptr, 0.0f);
    FillHistories(effect, instance);
  }
  ~BusyMeter() { effect->dispatcher(effect, effClose, 0, 0, nullptr, 0.0f); }

  // The heights the graph gives the points of one channel's history.
  std::vector<double> Heights(Channel channel) const {
    auto& meter = *static_cast<TVebriskEffect*>(instance->getEffectObject());
    std::vector<double> heights;
    for (double i = 0; i < meter.var.historyLength; ++i) {
      heights.push_back((1 - meter.HistoryPoint(channel, i) / meter.var.fullScale) * kEditorHeight);
    }
    return heights;
  }

  AEffect* effect;
  EffectInstance* instance;
};

double ScaleOf(const benchmark::State& state) {
  return static_cast<double>(state.range(0)) / 100;
}

void BM_PluginEditorFrame(benchmark::State& state) {
  BusyMeter meter;
  meter.instance->setDisplayScale(ScaleOf(state));
  for (auto _ : state) {
    auto picture = RenderEditorOffscreen(meter.instance);
    benchmark::DoNotOptimize(picture.get());
  }
}

// The image as the editor draws it at `scale`: its twice-size artwork above 1.
cairo_surface_t* DecodeResource(int32_t number, double scale) {
  struct Reader {
    ModuleResource resource;
    size_t position = 0;
  } reader{scale > 1 ? FindDoubleSizeResource(number) : FindModuleResource(number)};
  return cairo_image_surface_create_from_png_stream(
      [](void* closure, unsigned char* data, unsigned int length) {
        auto* r = static_cast<Reader*>(closure);
        if (length > r->resource.size - r->position) return CAIRO_STATUS_READ_ERROR;
        std::copy_n(r->resource.bytes + r->position, length, data);
        r->position += length;
        return CAIRO_STATUS_SUCCESS;
      },
      &reader);
}

void Text(cairo_t* cr, const char* text, double x, double baseline) {
  cairo_move_to(cr, x, baseline);
  cairo_show_text(cr, text);
}

void Line(cairo_t* cr, double x1, double y1, double x2, double y2) {
  cairo_move_to(cr, x1 + 0.5, y1 + 0.5);
  cairo_line_to(cr, x2 + 0.5, y2 + 0.5);
  cairo_stroke(cr);
}

// The same picture with Cairo alone: background, three images, the shade, the
// texts, the ceilings, both histories and the frame.
void BM_BareCairoFrame(benchmark::State& state) {
  const double displayScale = ScaleOf(state);
  cairo_surface_t* images[] = {DecodeResource(kLogoImage, displayScale),
                               DecodeResource(kWebLinkImage, displayScale),
                               DecodeResource(kTitleImage, displayScale)};
  const BusyMeter meter;
  const std::vector<double> left = meter.Heights(Channel::left),
                            right = meter.Heights(Channel::right);
  const double scale = kEditorHeight / kDesignHeight;
  const double baselineBelowPen = 22;  // for the labels' 26 px face
  for (auto _ : state) {
    cairo_surface_t* surface = cairo_image_surface_create(
        CAIRO_FORMAT_ARGB32, static_cast<int>(kEditorWidth * displayScale),
        static_cast<int>(kEditorHeight * displayScale));
    cairo_t* cr = cairo_create(surface);
    cairo_set_source_rgb(cr, 0, 0, 0);
    cairo_paint(cr);
    for (cairo_surface_t* image : images) {
      cairo_set_source_surface(cr, image, 0, 0);
      cairo_paint(cr);
    }
    cairo_scale(cr, displayScale, displayScale);
    cairo_set_source_rgba(cr, 0, 0, 0, 0.5);
    cairo_rectangle(cr, 0, 0, 120, 110);
    cairo_fill(cr);
    cairo_select_font_face(cr, "Liberation Sans", CAIRO_FONT_SLANT_NORMAL,
                           CAIRO_FONT_WEIGHT_NORMAL);
    cairo_set_font_size(cr, 13);
    cairo_set_source_rgba(cr, 0, 0.5, 0.95, 0.5);
    Text(cr, FixedText(kLetterVText), 15, 97);
    Text(cr, "20260806", 22, 97);
    cairo_set_font_size(cr, 26);
    cairo_set_source_rgba(cr, 1, 1, 0, 0.5);
    Text(cr, FixedText(kLeftLegendText), 15, 562);
    Text(cr, FixedText(kRightLegendText), 15, 585);
    for (const Ceiling& ceiling : kCeilings)
      Text(cr, ceiling.label, ceiling.labelX * scale, ceiling.fromTop * scale + baselineBelowPen);
    cairo_set_line_width(cr, 1);
    cairo_set_source_rgba(cr, 0.5, 0.5, 0, 0.95);
    for (const Ceiling& ceiling : kCeilings) {
      Line(cr, ceiling.lineFromX * scale, ceiling.fromTop * scale, (kDesignWidth - 10) * scale,
           ceiling.fromTop * scale);
    }
    for (const auto& [history, red] : {std::pair{&left, 1.0}, std::pair{&right, 0.0}}) {
      cairo_set_source_rgba(cr, 1, red, red, 0.5);
      const double segment =
          static_cast<double>(kEditorWidth) / static_cast<double>(history->size() - 1);
      for (size_t i = 0; i + 1 < history->size(); ++i) {
        Line(cr, static_cast<double>(i) * segment, (*history)[i],
             static_cast<double>(i + 1) * segment, (*history)[i + 1]);
      }
    }
    cairo_set_source_rgb(cr, 1, 0, 0);
    const double lastX = kEditorWidth - 1, lastY = kEditorHeight - 1;
    Line(cr, 0, 0, lastX, 0);
    Line(cr, lastX, 0, lastX, lastY);
    Line(cr, lastX, lastY, 0, lastY);
    Line(cr, 0, lastY, 0, 0);
    cairo_destroy(cr);
    cairo_surface_flush(surface);
    benchmark::DoNotOptimize(cairo_image_surface_get_data(surface));
    cairo_surface_destroy(surface);
  }
  for (cairo_surface_t* image : images)
    cairo_surface_destroy(image);
}

}  // namespace

BENCHMARK(BM_PluginEditorFrame)->Arg(100)->Arg(200)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_BareCairoFrame)->Arg(100)->Arg(200)->Unit(benchmark::kMicrosecond);
BENCHMARK_MAIN();
