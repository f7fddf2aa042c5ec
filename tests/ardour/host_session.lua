-- Runs in ardour7-lua on the "None (Dummy)" backend:
--   host_session.lua create|load SESSION_DIR NAME BLOCK_SIZE SIGNAL_FILE EXPORT_DIR EXPORT_NAME LXVST|LV2 ID
-- ID is the plug-in's VST unique id or LV2 URI, as Ardour knows it.
-- "create" makes the session: a stereo track "Signal" with the Raw Float Player
-- and then the plug-in inserted; "load" opens it again. Either way the player
-- gets SIGNAL_FILE (raw interleaved float32 stereo), the master bus is exported
-- as 32-bit float WAV for exactly the signal's length, the session is saved and
-- the plug-in is taken out again, so that Ardour closes it.

local SAMPLE_RATE = 48000
local TRACK = "Signal"
local PLAYER = "Raw Float Player"
-- The id of float32_wav.preset, installed beside the user's export presets.
local EXPORT_PRESET = "6a1d0f3c-5b8e-4f27-9c41-0e2d7b6a9f18"

local mode, session_dir, session_name, block_size, signal_path, export_dir, export_name, type_name, plugin_id =
	arg[1], arg[2], arg[3], tonumber (arg[4]), arg[5], arg[6], arg[7], arg[8], arg[9]

local function fail (message)
	io.stderr:write ("host_session.lua: " .. message .. "\n")
	os.exit (1)
end

local plugin_type = ({ LXVST = ARDOUR.PluginType.LXVST, LV2 = ARDOUR.PluginType.LV2 })[type_name]
if not plugin_type or not plugin_id then fail ("the plug-in's type is LXVST or LV2, followed by its id") end

local function start_engine ()
	local backend = AudioEngine:set_backend ("None (Dummy)", "", "")
	if backend:isnil () then fail ("no None (Dummy) backend") end
	backend:set_device_name ("Silence")
	backend:set_sample_rate (SAMPLE_RATE)
	backend:set_buffer_size (block_size)
	if AudioEngine:start (false) ~= 0 then fail ("the engine did not start") end
	if backend:buffer_size () ~= block_size then
		fail (string.format ("the engine runs %d-sample blocks, not %d", backend:buffer_size (), block_size))
	end
end

local function build_track ()
	local track = Session:new_audio_track (2, 2, nil, 1, TRACK, -1, ARDOUR.TrackMode.Normal, true):front ()
	local player = ARDOUR.LuaAPI.new_luaproc (Session, PLAYER)
	if player:isnil () then fail ("no Lua DSP script named " .. PLAYER) end
	local plugin = ARDOUR.LuaAPI.new_plugin (Session, plugin_id, plugin_type, "")
	if plugin:isnil () then fail ("Ardour does not know the plug-in " .. plugin_id) end
	if track:add_processor_by_index (player, 0, nil, true) ~= 0
		or track:add_processor_by_index (plugin, 1, nil, true) ~= 0 then
		fail ("the processors could not be inserted")
	end
end

-- The track, its player and its plug-in, checked to be in that order and active.
local function find_processors ()
	local track = Session:route_by_name (TRACK)
	if track:isnil () then fail ("no track " .. TRACK) end
	local player, plugin
	local i = 0
	while true do
		local processor = track:nth_processor (i)
		if processor:isnil () then break end
		local insert = processor:to_insert ()
		if not insert:isnil () then
			local instance = insert:plugin (0)
			if instance:name () == PLAYER then
				player = processor
			elseif instance:unique_id () == plugin_id and instance:get_info ().type == plugin_type then
				if not player then fail ("the plug-in comes before the player") end
				plugin = processor
			end
		end
		i = i + 1
	end
	if not player or not plugin then fail ("the track lacks the player or the plug-in") end
	if not player:active () or not plugin:active () then fail ("the player or the plug-in is inactive") end
	return track, player, plugin
end

-- Copies the signal into the player's shared memory: Lua DSP scripts run in a
-- small memory pool of their own, far too small for it. The frame count goes in last.
local function load_signal (player)
	local shmem = player:to_insert ():plugin (0):to_luaproc ():shmem ()
	local capacity = shmem:atomic_get_int (1)
	local left = shmem:to_float (2):array ()
	local right = shmem:to_float (2 + capacity):array ()
	local file = io.open (signal_path, "rb")
	if not file then fail ("cannot read " .. signal_path) end
	local bytes = file:read ("a")
	file:close ()
	local frames = #bytes // 8
	if frames > capacity then fail ("the signal is longer than the player holds") end
	local position = 1
	for frame = 1, frames do
		left[frame], right[frame], position = string.unpack ("<ff", bytes, position)
	end
	shmem:atomic_set_int (0, frames)
	return frames
end

local function export (frames)
	local exporter = Session:simple_export ()
	exporter:set_folder (export_dir)
	exporter:set_name (export_name)
	exporter:set_range (0, frames)
	if not exporter:set_preset (EXPORT_PRESET) then fail ("the export preset is missing") end
	if not exporter:check_outputs () then fail ("nothing to export") end
	if not exporter:run_export () then fail ("the export failed") end
end

start_engine ()
if mode == "create" then
	if not create_session (session_dir, session_name, SAMPLE_RATE) then fail ("cannot create the session") end
	build_track ()
elseif mode == "load" then
	if not load_session (session_dir, session_name) then fail ("cannot load the session") end
else
	fail ("the mode is create or load, not " .. tostring (mode))
end
local track, player, plugin = find_processors ()
export (load_signal (player))
if Session:save_state ("", false, false, false, false, false) ~= 0 then fail ("cannot save the session") end
-- Taking the plug-in out makes Ardour suspend and close it, as a user's edit
-- would, once the script's own references to it are collected.
if track:remove_processor (plugin, nil, true) ~= 0 then fail ("the plug-in could not be removed") end
plugin = nil
collectgarbage ()
-- Closing a session after an export sometimes aborts in Ardour 7.3 itself, so
-- the process just exits, with the engine stopped first lest the audio thread
-- run while exit() destroys what it uses. Ardour's other threads can still trip
-- over the destruction, so the line below tells that the work was complete.
AudioEngine:stop (false)
io.stdout:write ("host_session.lua: done\n")
io.stdout:flush ()
os.exit (0)
