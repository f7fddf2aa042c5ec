// The CLAP 1.2 binary interface as this plug-in uses it: the entry, the factory,
// the plug-in and host records, processing, events and the extensions a meter
// with an embedded editor offers or asks for. Declared from the published
// layout (x86-64, natural alignment); the asserts below hold it to that.
#pragma once

#include <cstddef>
#include <cstdint>

struct clap_version_t {
  uint32_t major, minor, revision;
};
inline constexpr clap_version_t kClapVersion{1, 2, 10};

using clap_id = uint32_t;
inline constexpr clap_id kClapInvalidId = UINT32_MAX;
inline constexpr int64_t kClapFixedPointFactor = int64_t{1} << 31;
inline constexpr uint32_t kClapNameSize = 256;
inline constexpr uint32_t kClapPathSize = 1024;

struct clap_plugin_entry {
  clap_version_t clap_version;
  bool (*init)(const char* plugin_path);
  void (*deinit)();
  const void* (*get_factory)(const char* factory_id);
};

inline constexpr const char* kClapPluginFactoryId = "clap.plugin-factory";

struct clap_plugin_descriptor {
  clap_version_t clap_version;
  const char* id;
  const char* name;
  const char* vendor;
  const char* url;
  const char* manual_url;
  const char* support_url;
  const char* version;
  const char* description;
  const char* const* features;
};

struct clap_host {
  clap_version_t clap_version;
  void* host_data;
  const char* name;
  const char* vendor;
  const char* url;
  const char* version;
  const void* (*get_extension)(const clap_host* host, const char* extension_id);
  void (*request_restart)(const clap_host* host);
  void (*request_process)(const clap_host* host);
  void (*request_callback)(const clap_host* host);
};

struct clap_process;

struct clap_plugin {
  const clap_plugin_descriptor* desc;
  void* plugin_data;
  bool (*init)(const clap_plugin* plugin);
  void (*destroy)(const clap_plugin* plugin);
  bool (*activate)(const clap_plugin* plugin, double sample_rate, uint32_t min_frames_count,
                   uint32_t max_frames_count);
  void (*deactivate)(const clap_plugin* plugin);
  bool (*start_processing)(const clap_plugin* plugin);
  void (*stop_processing)(const clap_plugin* plugin);
  void (*reset)(const clap_plugin* plugin);
  int32_t (*process)(const clap_plugin* plugin, const clap_process* process);
  const void* (*get_extension)(const clap_plugin* plugin, const char* id);
  void (*on_main_thread)(const clap_plugin* plugin);
};

struct clap_plugin_factory {
  uint32_t (*get_plugin_count)(const clap_plugin_factory* factory);
  const clap_plugin_descriptor* (*get_plugin_descriptor)(const clap_plugin_factory* factory,
                                                         uint32_t index);
  const clap_plugin* (*create_plugin)(const clap_plugin_factory* factory, const clap_host* host,
                                      const char* plugin_id);
};

enum clap_process_status : int32_t {
  CLAP_PROCESS_ERROR = 0,
  CLAP_PROCESS_CONTINUE = 1,
  CLAP_PROCESS_CONTINUE_IF_NOT_QUIET = 2,
  CLAP_PROCESS_TAIL = 3,
  CLAP_PROCESS_SLEEP = 4,
};

struct clap_event_header {
  uint32_t size;
  uint32_t time;
  uint16_t space_id;
  uint16_t type;
  uint32_t flags;
};
inline constexpr uint16_t kClapCoreEventSpace = 0;
inline constexpr uint16_t kClapEventTransport = 9;

enum clap_transport_flags : uint32_t {
  CLAP_TRANSPORT_HAS_TEMPO = 1 << 0,
  CLAP_TRANSPORT_HAS_BEATS_TIMELINE = 1 << 1,
  CLAP_TRANSPORT_HAS_SECONDS_TIMELINE = 1 << 2,
  CLAP_TRANSPORT_HAS_TIME_SIGNATURE = 1 << 3,
  CLAP_TRANSPORT_IS_PLAYING = 1 << 4,
  CLAP_TRANSPORT_IS_RECORDING = 1 << 5,
  CLAP_TRANSPORT_IS_LOOP_ACTIVE = 1 << 6,
  CLAP_TRANSPORT_IS_WITHIN_PRE_ROLL = 1 << 7,
};

struct clap_event_transport {
  clap_event_header header;
  uint32_t flags;
  int64_t song_pos_beats;
  int64_t song_pos_seconds;
  double tempo;
  double tempo_inc;
  int64_t loop_start_beats;
  int64_t loop_end_beats;
  int64_t loop_start_seconds;
  int64_t loop_end_seconds;
  int64_t bar_start;
  int32_t bar_number;
  uint16_t tsig_num;
  uint16_t tsig_denom;
};

struct clap_input_events {
  void* ctx;
  uint32_t (*size)(const clap_input_events* list);
  const clap_event_header* (*get)(const clap_input_events* list, uint32_t index);
};

struct clap_output_events {
  void* ctx;
  bool (*try_push)(const clap_output_events* list, const clap_event_header* event);
};

struct clap_audio_buffer {
  float** data32;
  double** data64;
  uint32_t channel_count;
  uint32_t latency;
  uint64_t constant_mask;
};

struct clap_process {
  int64_t steady_time;
  uint32_t frames_count;
  const clap_event_transport* transport;
  const clap_audio_buffer* audio_inputs;
  clap_audio_buffer* audio_outputs;
  uint32_t audio_inputs_count;
  uint32_t audio_outputs_count;
  const clap_input_events* in_events;
  const clap_output_events* out_events;
};

// --- audio ports -----------------------------------------------------------
inline constexpr const char* kClapExtAudioPorts = "clap.audio-ports";

enum clap_audio_port_flags : uint32_t {
  CLAP_AUDIO_PORT_IS_MAIN = 1 << 0,
  CLAP_AUDIO_PORT_SUPPORTS_64BITS = 1 << 1,
  CLAP_AUDIO_PORT_PREFERS_64BITS = 1 << 2,
  CLAP_AUDIO_PORT_REQUIRES_COMMON_SAMPLE_SIZE = 1 << 3,
};

struct clap_audio_port_info {
  clap_id id;
  char name[kClapNameSize];
  uint32_t flags;
  uint32_t channel_count;
  const char* port_type;
  clap_id in_place_pair;
};

struct clap_plugin_audio_ports {
  uint32_t (*count)(const clap_plugin* plugin, bool is_input);
  bool (*get)(const clap_plugin* plugin, uint32_t index, bool is_input, clap_audio_port_info* info);
};

// --- state -----------------------------------------------------------------
inline constexpr const char* kClapExtState = "clap.state";

struct clap_istream {
  void* ctx;
  int64_t (*read)(const clap_istream* stream, void* buffer, uint64_t size);
};

struct clap_ostream {
  void* ctx;
  int64_t (*write)(const clap_ostream* stream, const void* buffer, uint64_t size);
};

struct clap_plugin_state {
  bool (*save)(const clap_plugin* plugin, const clap_ostream* stream);
  bool (*load)(const clap_plugin* plugin, const clap_istream* stream);
};

// --- params ----------------------------------------------------------------
inline constexpr const char* kClapExtParams = "clap.params";

enum clap_param_info_flags : uint32_t {
  CLAP_PARAM_IS_HIDDEN = 1 << 2,
  CLAP_PARAM_IS_READONLY = 1 << 3,
  CLAP_PARAM_IS_AUTOMATABLE = 1 << 5,
};

struct clap_param_info {
  clap_id id;
  uint32_t flags;
  void* cookie;
  char name[kClapNameSize];
  char module[kClapPathSize];
  double min_value;
  double max_value;
  double default_value;
};

struct clap_plugin_params {
  uint32_t (*count)(const clap_plugin* plugin);
  bool (*get_info)(const clap_plugin* plugin, uint32_t param_index, clap_param_info* info);
  bool (*get_value)(const clap_plugin* plugin, clap_id param_id, double* value);
  bool (*value_to_text)(const clap_plugin* plugin, clap_id param_id, double value, char* buffer,
                        uint32_t capacity);
  bool (*text_to_value)(const clap_plugin* plugin, clap_id param_id, const char* text,
                        double* value);
  void (*flush)(const clap_plugin* plugin, const clap_input_events* in,
                const clap_output_events* out);
};

// --- gui -------------------------------------------------------------------
inline constexpr const char* kClapExtGui = "clap.gui";
inline constexpr const char* kClapWindowApiX11 = "x11";
inline constexpr const char* kClapWindowApiWin32 = "win32";

struct clap_window {
  const char* api;
  union {
    unsigned long x11;
    void* win32;
    void* cocoa;
    void* uikit;
    void* ptr;
  };
};

struct clap_gui_resize_hints {
  bool can_resize_horizontally;
  bool can_resize_vertically;
  bool preserve_aspect_ratio;
  uint32_t aspect_ratio_width;
  uint32_t aspect_ratio_height;
};

struct clap_plugin_gui {
  bool (*is_api_supported)(const clap_plugin* plugin, const char* api, bool is_floating);
  bool (*get_preferred_api)(const clap_plugin* plugin, const char** api, bool* is_floating);
  bool (*create)(const clap_plugin* plugin, const char* api, bool is_floating);
  void (*destroy)(const clap_plugin* plugin);
  bool (*set_scale)(const clap_plugin* plugin, double scale);
  bool (*get_size)(const clap_plugin* plugin, uint32_t* width, uint32_t* height);
  bool (*can_resize)(const clap_plugin* plugin);
  bool (*get_resize_hints)(const clap_plugin* plugin, clap_gui_resize_hints* hints);
  bool (*adjust_size)(const clap_plugin* plugin, uint32_t* width, uint32_t* height);
  bool (*set_size)(const clap_plugin* plugin, uint32_t width, uint32_t height);
  bool (*set_parent)(const clap_plugin* plugin, const clap_window* window);
  bool (*set_transient)(const clap_plugin* plugin, const clap_window* window);
  void (*suggest_title)(const clap_plugin* plugin, const char* title);
  bool (*show)(const clap_plugin* plugin);
  bool (*hide)(const clap_plugin* plugin);
};

// The host's side of "clap.gui": what a plug-in asks of the host's window.
struct clap_host_gui {
  void (*resize_hints_changed)(const clap_host* host);
  bool (*request_resize)(const clap_host* host, uint32_t width, uint32_t height);
  bool (*request_show)(const clap_host* host);
  bool (*request_hide)(const clap_host* host);
  void (*closed)(const clap_host* host, bool was_destroyed);
};

// --- timer and file descriptors ---------------------------------------------
inline constexpr const char* kClapExtTimerSupport = "clap.timer-support";

struct clap_plugin_timer_support {
  void (*on_timer)(const clap_plugin* plugin, clap_id timer_id);
};

struct clap_host_timer_support {
  bool (*register_timer)(const clap_host* host, uint32_t period_ms, clap_id* timer_id);
  bool (*unregister_timer)(const clap_host* host, clap_id timer_id);
};

inline constexpr const char* kClapExtPosixFdSupport = "clap.posix-fd-support";
enum clap_posix_fd_flags : uint32_t {
  CLAP_POSIX_FD_READ = 1 << 0,
  CLAP_POSIX_FD_WRITE = 1 << 1,
  CLAP_POSIX_FD_ERROR = 1 << 2,
};

struct clap_plugin_posix_fd_support {
  void (*on_fd)(const clap_plugin* plugin, int fd, uint32_t flags);
};

struct clap_host_posix_fd_support {
  bool (*register_fd)(const clap_host* host, int fd, uint32_t flags);
  bool (*modify_fd)(const clap_host* host, int fd, uint32_t flags);
  bool (*unregister_fd)(const clap_host* host, int fd);
};

// --- what the host offers for reporting -------------------------------------
inline constexpr const char* kClapExtLog = "clap.log";
enum clap_log_severity : int32_t {
  CLAP_LOG_DEBUG = 0,
  CLAP_LOG_INFO = 1,
  CLAP_LOG_WARNING = 2,
  CLAP_LOG_ERROR = 3,
  CLAP_LOG_FATAL = 4,
  CLAP_LOG_HOST_MISBEHAVING = 5,
  CLAP_LOG_PLUGIN_MISBEHAVING = 6,
};

struct clap_host_log {
  void (*log)(const clap_host* host, int32_t severity, const char* msg);
};

inline constexpr const char* kClapExtThreadCheck = "clap.thread-check";

struct clap_host_thread_check {
  bool (*is_main_thread)(const clap_host* host);
  bool (*is_audio_thread)(const clap_host* host);
};

// The layout on x86-64 (Linux and Windows alike): pointers 8 bytes, bool 1.
static_assert(sizeof(void*) == 8, "declared for x86-64");
static_assert(sizeof(clap_version_t) == 12);
static_assert(sizeof(clap_plugin_entry) == 40);
static_assert(offsetof(clap_plugin_entry, init) == 16);
static_assert(offsetof(clap_plugin_entry, get_factory) == 32);
static_assert(sizeof(clap_plugin_descriptor) == 88);
static_assert(offsetof(clap_plugin_descriptor, id) == 16);
static_assert(offsetof(clap_plugin_descriptor, version) == 64);
static_assert(offsetof(clap_plugin_descriptor, features) == 80);
static_assert(sizeof(clap_host) == 88);
static_assert(offsetof(clap_host, host_data) == 16);
static_assert(offsetof(clap_host, get_extension) == 56);
static_assert(offsetof(clap_host, request_callback) == 80);
static_assert(sizeof(clap_plugin) == 96);
static_assert(offsetof(clap_plugin, init) == 16);
static_assert(offsetof(clap_plugin, process) == 72);
static_assert(offsetof(clap_plugin, on_main_thread) == 88);
static_assert(sizeof(clap_plugin_factory) == 24);
static_assert(sizeof(clap_event_header) == 16);
static_assert(offsetof(clap_event_header, space_id) == 8);
static_assert(offsetof(clap_event_header, type) == 10);
static_assert(offsetof(clap_event_header, flags) == 12);
static_assert(sizeof(clap_event_transport) == 104);
static_assert(offsetof(clap_event_transport, flags) == 16);
static_assert(offsetof(clap_event_transport, song_pos_beats) == 24);
static_assert(offsetof(clap_event_transport, tempo) == 40);
static_assert(offsetof(clap_event_transport, bar_start) == 88);
static_assert(offsetof(clap_event_transport, bar_number) == 96);
static_assert(offsetof(clap_event_transport, tsig_num) == 100);
static_assert(offsetof(clap_event_transport, tsig_denom) == 102);
static_assert(sizeof(clap_input_events) == 24);
static_assert(sizeof(clap_output_events) == 16);
static_assert(sizeof(clap_audio_buffer) == 32);
static_assert(offsetof(clap_audio_buffer, channel_count) == 16);
static_assert(offsetof(clap_audio_buffer, constant_mask) == 24);
static_assert(sizeof(clap_process) == 64);
static_assert(offsetof(clap_process, frames_count) == 8);
static_assert(offsetof(clap_process, transport) == 16);
static_assert(offsetof(clap_process, audio_inputs_count) == 40);
static_assert(offsetof(clap_process, in_events) == 48);
static_assert(offsetof(clap_process, out_events) == 56);
static_assert(sizeof(clap_audio_port_info) == 288);
static_assert(offsetof(clap_audio_port_info, name) == 4);
static_assert(offsetof(clap_audio_port_info, flags) == 260);
static_assert(offsetof(clap_audio_port_info, channel_count) == 264);
static_assert(offsetof(clap_audio_port_info, port_type) == 272);
static_assert(offsetof(clap_audio_port_info, in_place_pair) == 280);
static_assert(sizeof(clap_plugin_audio_ports) == 16);
static_assert(sizeof(clap_istream) == 16);
static_assert(sizeof(clap_ostream) == 16);
static_assert(sizeof(clap_plugin_state) == 16);
static_assert(sizeof(clap_param_info) == 1320);
static_assert(offsetof(clap_param_info, cookie) == 8);
static_assert(offsetof(clap_param_info, name) == 16);
static_assert(offsetof(clap_param_info, module) == 272);
static_assert(offsetof(clap_param_info, min_value) == 1296);
static_assert(offsetof(clap_param_info, default_value) == 1312);
static_assert(sizeof(clap_plugin_params) == 48);
static_assert(sizeof(clap_window) == 16);
static_assert(offsetof(clap_window, x11) == 8);
static_assert(offsetof(clap_window, win32) == 8);
static_assert(sizeof(clap_gui_resize_hints) == 12);
static_assert(offsetof(clap_gui_resize_hints, aspect_ratio_width) == 4);
static_assert(sizeof(clap_plugin_gui) == 15 * sizeof(void*));
static_assert(offsetof(clap_plugin_gui, set_parent) == 80);
static_assert(offsetof(clap_plugin_gui, hide) == 112);
static_assert(sizeof(clap_host_gui) == 40);
static_assert(offsetof(clap_host_gui, request_resize) == 8);
static_assert(offsetof(clap_host_gui, closed) == 32);
static_assert(sizeof(clap_plugin_timer_support) == 8);
static_assert(sizeof(clap_host_timer_support) == 16);
static_assert(sizeof(clap_plugin_posix_fd_support) == 8);
static_assert(sizeof(clap_host_posix_fd_support) == 24);
static_assert(sizeof(clap_host_log) == 8);
static_assert(sizeof(clap_host_thread_check) == 16);
