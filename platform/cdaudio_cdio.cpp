// The system CD drive through libcdio: the table of contents from libcdio, the
// music read with cdparanoia's error correction. The drive's own analogue play is
// not used: most drives today have no audio connection to the sound card.
// clang-format off
#include <cdio/cdio.h>  // first: the other headers rely on its types
#include <cdio/paranoia/cdda.h>
#include <cdio/paranoia/paranoia.h>
// clang-format on
#include <cdio/logging.h>

#include <cstring>

#include "platform/cdaudio_digital.h"

namespace platform {

namespace {

struct CdioCloser {
  void operator()(CdIo_t* p) const { cdio_destroy(p); }
};
using CdioHandle = std::unique_ptr<CdIo_t, CdioCloser>;

void QuietLog(cdio_log_level_t level, const char* message) {
  // A machine without a drive is normal here; only real errors are worth a line.
  if (level >= CDIO_LOG_ERROR) qWarning("libcdio: %s", message);
}

// Sectors between the music and a data track in a later session (the first
// session's lead-out and the next one's lead-in); they hold no sound.
constexpr int kSessionGapSectors = 11400;
// Attempts at a sector that reads badly before paranoia moves on: a scratch costs
// a click, not a stalled show.
constexpr int kReadRetries = 3;
// A quiet drive: reading at a few times the playing speed is plenty.
constexpr int kReadSpeed = 8;

class ParanoiaSource : public CdSectorSource {
 public:
  explicit ParanoiaSource(const QString& device) : device_(device.toLocal8Bit()) {}
  ~ParanoiaSource() override { Stop(); }

  bool DrivePresent() override { return OpenCdio() != nullptr; }

  std::vector<CdTrackInfo> ReadToc() override {
    std::vector<CdTrackInfo> toc;
    CdioHandle p = OpenCdio();
    if (!p) return toc;
    const track_t count = cdio_get_num_tracks(p.get());
    const track_t first = cdio_get_first_track_num(p.get());
    if (count == CDIO_INVALID_TRACK || count == 0 || first == CDIO_INVALID_TRACK) return toc;
    for (int t = first; t < first + count; ++t) {
      const lsn_t start = cdio_get_track_lsn(p.get(), track_t(t));
      const bool last = t == first + count - 1;
      const track_t next = last ? track_t(CDIO_CDROM_LEADOUT_TRACK) : track_t(t + 1);
      lsn_t end = cdio_get_track_lsn(p.get(), next);
      if (start == CDIO_INVALID_LSN || end == CDIO_INVALID_LSN || end <= start) return {};
      const bool audio = cdio_get_track_format(p.get(), track_t(t)) == TRACK_FORMAT_AUDIO;
      if (audio && !last && cdio_get_track_format(p.get(), track_t(t + 1)) != TRACK_FORMAT_AUDIO &&
          end - kSessionGapSectors > start)
        end -= kSessionGapSectors;
      toc.push_back({t, start, end, audio});
    }
    return toc;
  }

  bool Start(int first, int end) override {
    Stop();
    CdioHandle p = OpenCdio();
    if (!p) return false;
    char* messages = nullptr;
    drive_ = cdio_cddap_identify_cdio(p.get(), CDDA_MESSAGE_FORGETIT, &messages);
    if (messages) cdio_cddap_free_messages(messages);
    if (!drive_) return false;
    cdio_ = p.release();
    if (cdio_cddap_open(drive_) != 0) {
      qWarning("CD audio: the drive cannot read audio sectors");
      Stop();
      return false;
    }
    cdio_cddap_speed_set(drive_, kReadSpeed);  // a drive that cannot set it reads as it likes
    paranoia_ = cdio_paranoia_init(drive_);
    if (!paranoia_) {
      Stop();
      return false;
    }
    cdio_paranoia_modeset(paranoia_, PARANOIA_MODE_FULL ^ PARANOIA_MODE_NEVERSKIP);
    cdio_paranoia_seek(paranoia_, first, SEEK_SET);
    next_ = first;
    end_ = end;
    return true;
  }

  int Read(int count, char* out) override {
    if (!paranoia_) return -1;
    int n = 0;
    for (; n < count && next_ < end_; ++n, ++next_) {
      const int16_t* sector = cdio_paranoia_read_limited(paranoia_, nullptr, kReadRetries);
      if (!sector) return n > 0 ? n : -1;
      std::memcpy(out + size_t(n) * kCdSectorBytes, sector, kCdSectorBytes);
    }
    return n;
  }

  void Stop() override {
    if (paranoia_) cdio_paranoia_free(paranoia_);
    paranoia_ = nullptr;
    if (drive_) cdio_cddap_close_no_free_cdio(drive_);
    drive_ = nullptr;
    if (cdio_) cdio_destroy(cdio_);
    cdio_ = nullptr;
  }

 private:
  CdioHandle OpenCdio() const {
    static const bool logging_set = [] {
      cdio_log_set_handler(QuietLog);
      return true;
    }();
    (void)logging_set;
    if (device_.isEmpty()) return CdioHandle(cdio_open(nullptr, DRIVER_DEVICE));
    return CdioHandle(cdio_open(device_.constData(), DRIVER_UNKNOWN));
  }

  QByteArray device_;
  CdIo_t* cdio_ = nullptr;
  cdrom_drive_t* drive_ = nullptr;
  cdrom_paranoia_t* paranoia_ = nullptr;
  int next_ = 0;
  int end_ = 0;
};

}  // namespace

std::unique_ptr<CdSectorSource> MakeParanoiaSource(const QString& device) {
  return std::make_unique<ParanoiaSource>(device);
}

std::unique_ptr<CdAudio> MakeDigitalCdAudio(const QString& device) {
  return std::make_unique<DigitalCdAudio>(
      std::make_unique<ReadAheadSource>(MakeParanoiaSource(device)), MakeSystemPcmOutput());
}

std::unique_ptr<CdAudio> MakeSystemCdAudio() { return MakeDigitalCdAudio(QString()); }

}  // namespace platform
