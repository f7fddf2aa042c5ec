ardour {
	["type"]    = "dsp",
	name        = "Raw Float Player",
	category    = "Utility",
	license     = "MIT",
	author      = "KORVANDEL",
	description = [[Replaces its stereo input with the frames that the session script copied into its shared memory, placed on the timeline from sample 0 while the transport rolls; silence everywhere else.]]
}

-- Shared memory: the number of frames loaded (0 until the session script has
-- finished copying), the capacity per channel, then the left and right
-- channels, CAPACITY frames each.
local CAPACITY = 262144
local HEADER = 2

function dsp_ioconfig ()
	return { { audio_in = 2, audio_out = 2 } }
end

function dsp_init (rate)
	self:shmem ():allocate (HEADER + 2 * CAPACITY)
	self:shmem ():clear ()
	self:shmem ():atomic_set_int (1, CAPACITY)
end

function dsp_run (ins, outs, n_samples)
	local shmem = self:shmem ()
	local loaded = shmem:atomic_get_int (0)
	local position = Session:transport_sample ()
	local first = math.max (position, 0)
	local last = math.min (position + n_samples, loaded)
	for c = 1, 2 do
		ARDOUR.DSP.memset (outs[c], 0, n_samples)
		if Session:transport_rolling () and first < last then
			ARDOUR.DSP.copy_vector (outs[c]:offset (first - position),
				shmem:to_float (HEADER + (c - 1) * CAPACITY + first), last - first)
		end
	end
end
