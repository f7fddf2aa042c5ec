#include "tools/slewmeter/sndfile_source.h"

#include <sndfile.h>

#include <algorithm>
#include <cstdio>

// libsndfile's virtual I/O on a source's input.
struct SndfileVirtualIo {
  static SndfileSource& Of(void* source) { return *static_cast<SndfileSource*>(source); }

  static sf_count_t Length(void* source) { return Of(source).length(); }

  static sf_count_t Seek(sf_count_t offset, int whence, void* source) {
    InputBytes& bytes = *Of(source).input;
    const sf_count_t from = whence == SEEK_SET   ? 0
                            : whence == SEEK_CUR ? static_cast<sf_count_t>(bytes.position())
                                                 : Length(source);
    const sf_count_t to = from + offset;
    if (to < 0 || (whence == SEEK_END && !bytes.seekable())) return -1;
    if (bytes.seek(static_cast<uint64_t>(to))) return to;
    // Back into a pipe's header past what was kept while opening.
    if (Of(source).file == nullptr && !bytes.seekable()) Of(source).lostItsPlace = true;
    return -1;
  }

  static sf_count_t Read(void* to, sf_count_t count, void* source) {
    const uint64_t at = Of(source).input->position();
    // While opening, libsndfile looks for chunks or a length at a stream's
    // end: past what a pipe can keep it finds nothing there, and can still
    // come back to the start.
    const bool opening = Of(source).file == nullptr;
    if (opening && !Of(source).input->keepsUpTo(at + static_cast<uint64_t>(count))) {
      Of(source).lookedPastKept = true;
      return 0;
    }
    const size_t got = Of(source).input->read(to, static_cast<size_t>(count));
    Of(source).oggEnding.saw(at, static_cast<const uint8_t*>(to), got);
    return static_cast<sf_count_t>(got);
  }

  static sf_count_t Write(const void*, sf_count_t, void*) { return 0; }

  static sf_count_t Tell(void* source) {
    return static_cast<sf_count_t>(Of(source).input->position());
  }
};

namespace {

// libsndfile's own messages are for its developers: users get the reason in ours.
std::string Reason(int error) {
  switch (error) {
    case SF_ERR_UNRECOGNISED_FORMAT:
      return "is not audio in a format slewmeter reads (WAV, RF64, W64, AIFF, FLAC, Ogg, ...)";
    case SF_ERR_UNSUPPORTED_ENCODING:
      return "holds audio in an encoding slewmeter cannot decode";
    default:
      return "has a damaged or incomplete header";
  }
}

// What --out writes for a decoded format: its own samples where WAV holds them,
// else 32-bit float, which holds every decoded sample of the rest.
SampleEncoding EncodingOf(int format) {
  switch (format & SF_FORMAT_SUBMASK) {
    case SF_FORMAT_PCM_S8:
    case SF_FORMAT_PCM_U8:
      return {1, false, false, true};
    case SF_FORMAT_PCM_16:
      return {2, false, false, false};
    case SF_FORMAT_PCM_24:
      return {3, false, false, false};
    case SF_FORMAT_PCM_32:
      return {4, false, false, false};
    case SF_FORMAT_DOUBLE:
      return {8, true, false, false};
  }
  return {4, true, false, false};
}

}  // namespace

std::unique_ptr<SndfileSource> SndfileSource::open(std::unique_ptr<InputBytes> input,
                                                   const std::optional<WaveLayout>& layout,
                                                   AudioFormat& format, std::string& error) {
  static SF_VIRTUAL_IO io{SndfileVirtualIo::Length, SndfileVirtualIo::Seek, SndfileVirtualIo::Read,
                          SndfileVirtualIo::Write, SndfileVirtualIo::Tell};
  std::unique_ptr<SndfileSource> source(new SndfileSource);
  source->input = std::move(input);
  if (layout && layout->dataBytes) {
    source->dataEnd = layout->dataStart + *layout->dataBytes;
    source->declaredFrames = layout->declaredFrames();
  }
  // libsndfile's header readers stop at the input's length, and with none
  // they may read past a short pipe's end forever: a pipe that ends within
  // what can be kept is read whole first, and its length is known.
  source->input->keepAhead();
  SF_INFO info{};
  source->file = sf_open_virtual(&io, SFM_READ, &info, source.get());
  if (source->file == nullptr && source->dataEnd && source->input->knownLength() >= 0 &&
      source->input->seek(0)) {
    source->lengthFromHeader = true;
    source->file = sf_open_virtual(&io, SFM_READ, &info, source.get());
  }
  // libsndfile may go back into the header while it opens: a pipe's bytes
  // were kept until now.
  source->input->keepNoMore(false);
  // A header that libsndfile needs more of than a pipe can keep.
  if (source->lostItsPlace || (source->file == nullptr && source->lookedPastKept)) {
    error = "cannot be read from a pipe: its decoder needs to look further into it than the " +
            std::to_string(InputBytes::kMostKept >> 20) + " MiB slewmeter keeps; give it as a file";
    return nullptr;
  }
  if (source->file == nullptr) {
    error = Reason(sf_error(nullptr));
    return nullptr;
  }
  // A pipe's count may be a writer's guess; a file's was checked against its
  // size, and FLAC's is exact, or 0 where its writer did not know it.
  const int container = info.format & SF_FORMAT_TYPEMASK;
  const bool counted = info.frames > 0 && info.frames < SF_COUNT_MAX / 2;
  const bool seekable = source->input->seekable();
  source->promised = counted && (seekable || container == SF_FORMAT_FLAC) ? info.frames : -1;
  // Only the frames there are expected: an output header written first holds them.
  const bool allThere = seekable && !source->lengthFromHeader;
  format = {static_cast<double>(info.samplerate), info.channels, allThere ? source->promised : -1,
            EncodingOf(info.format)};
  source->ogg = container == SF_FORMAT_OGG;
  // FLAC, Ogg and MPEG decoders read ahead and end by themselves.
  source->madeUpAfterTheEnd = (!seekable || source->lengthFromHeader) &&
                              container != SF_FORMAT_FLAC && container != SF_FORMAT_OGG &&
                              container != SF_FORMAT_MPEG;
  return source;
}

int64_t SndfileSource::length() const {
  const int64_t known = input->knownLength();
  if (known >= 0 && lengthFromHeader && dataEnd)
    return std::max(known, static_cast<int64_t>(*dataEnd));
  if (known >= 0) return known;
  // A long pipe's length is unknown. Where its data ends is enough: libsndfile
  // does not then read past it for more chunks, from where it could not come
  // back to the data.
  return dataEnd ? static_cast<int64_t>(*dataEnd) : SF_COUNT_MAX;
}

// Whole or not by the bytes there against the container's data size, which
// libsndfile's own count was cut to, or by Ogg's last page.
void SndfileSource::checkWhole() {
  if (ogg && !oggEnding.closed()) cutShort = true;
  if (!dataEnd || input->reaches(*dataEnd)) return;
  cutShort = true;
  promised = declaredFrames;
}

SndfileSource::~SndfileSource() {
  if (file != nullptr) sf_close(file);
}

size_t SndfileSource::read(double* interleaved, size_t frames) {
  if (ended) return 0;
  const bool endedBefore = input->ended();
  const uint64_t before = input->position();
  const sf_count_t got = sf_readf_double(file, interleaved, static_cast<sf_count_t>(frames));
  decodingFailed = decodingFailed || sf_error(file) != SF_ERR_NO_ERROR;
  // From a pipe, libsndfile's block decoders (ADPCM, GSM, ...) go on making
  // silence up to the header's data size once the bytes have ended. The first
  // read from no more bytes may still give the last block decoded; a second
  // gives none of the input's.
  if (madeUpAfterTheEnd && endedBefore && input->position() == before && got > 0 &&
      ++readsAfterTheEnd > 1) {
    cutShort = true;
    ended = true;
  }
  if (got <= 0) ended = true;
  if (ended) checkWhole();
  return ended ? 0 : static_cast<size_t>(got);
}
