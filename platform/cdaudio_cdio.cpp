// The system CD drive through libcdio. The drive plays the disc itself (audio
// play commands); positions and the mode come from its subchannel. Each call
// opens the device afresh, so a disc changed in between is seen.
// clang-format off
#include <cdio/cdio.h>  // first: the other headers rely on its types
#include <cdio/audio.h>
// clang-format on
#include <cdio/logging.h>
#include <cdio/mmc.h>
#include <cdio/util.h>

#include "platform/cdaudio.h"

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

CdioHandle OpenDrive() {
  static const bool logging_set = [] {
    cdio_log_set_handler(QuietLog);
    return true;
  }();
  (void)logging_set;
  return CdioHandle(cdio_open(nullptr, DRIVER_DEVICE));
}

int FromBcd(uint8_t v) { return cdio_from_bcd8(v); }

class CdioCdAudio : public CdAudio {
 public:
  bool Open() override {
    open_ = OpenDrive() != nullptr;
    return open_;
  }

  void Close() override {
    if (CdioHandle p = OpenDrive()) {
      cdio_subchannel_t sub{};
      if (cdio_audio_read_subchannel(p.get(), &sub) == DRIVER_OP_SUCCESS &&
          (sub.audio_status == CDIO_MMC_READ_SUB_ST_PLAY ||
           sub.audio_status == CDIO_MMC_READ_SUB_ST_PAUSED))
        cdio_audio_stop(p.get());
    }
    open_ = false;
  }

  bool IsOpen() const override { return open_; }

  bool IsReady() override { return TrackCount() > 0; }

  int TrackCount() override {
    CdioHandle p = OpenDrive();
    return p ? Tracks(p.get()) : 0;
  }

  bool PlayTrack(int from, int to) override {
    CdioHandle p = OpenDrive();
    if (!p) return false;
    const int first = cdio_get_first_track_num(p.get());
    const int count = Tracks(p.get());
    if (count == 0 || to <= from || to > first + count) return false;
    // The end of the disc is the start of the lead-out.
    const track_t end = to == first + count ? CDIO_CDROM_LEADOUT_TRACK : track_t(to);
    return Play(p.get(), from, end);
  }

  bool PlayFrom(int track) override {
    CdioHandle p = OpenDrive();
    if (!p || Tracks(p.get()) == 0) return false;
    return Play(p.get(), track, CDIO_CDROM_LEADOUT_TRACK);
  }

  bool Stop() override {
    CdioHandle p = OpenDrive();
    return p && cdio_audio_stop(p.get()) == DRIVER_OP_SUCCESS;
  }

  bool Pause() override {
    CdioHandle p = OpenDrive();
    return p && cdio_audio_pause(p.get()) == DRIVER_OP_SUCCESS;
  }

  bool Resume() override {
    CdioHandle p = OpenDrive();
    return p && cdio_audio_resume(p.get()) == DRIVER_OP_SUCCESS;
  }

  QString Mode() override {
    CdioHandle p = OpenDrive();
    if (!p || Tracks(p.get()) == 0) return QStringLiteral("not ready");
    cdio_subchannel_t sub{};
    if (cdio_audio_read_subchannel(p.get(), &sub) != DRIVER_OP_SUCCESS)
      return QStringLiteral("stopped");
    switch (sub.audio_status) {
      case CDIO_MMC_READ_SUB_ST_PLAY:
        return QStringLiteral("playing");
      case CDIO_MMC_READ_SUB_ST_PAUSED:
        return QStringLiteral("paused");
      default:
        return QStringLiteral("stopped");
    }
  }

  CdPosition Position() override {
    CdioHandle p = OpenDrive();
    if (!p || Tracks(p.get()) == 0) return {};
    cdio_subchannel_t sub{};
    if (cdio_audio_read_subchannel(p.get(), &sub) != DRIVER_OP_SUCCESS || sub.track == 0)
      return {cdio_get_first_track_num(p.get()), 0, 0, 0};
    return {sub.track, FromBcd(sub.rel_addr.m), FromBcd(sub.rel_addr.s), FromBcd(sub.rel_addr.f)};
  }

  int CurrentTrack() override { return Position().track; }

  bool SetVolume(int volume) override {
    CdioHandle p = OpenDrive();
    if (!p) return false;
    cdio_audio_volume_t levels;
    const auto level = static_cast<uint8_t>(qBound(0, volume, 1000) * 255 / 1000);
    for (uint8_t& l : levels.level) l = level;
    return cdio_audio_set_volume(p.get(), &levels) == DRIVER_OP_SUCCESS;
  }

 private:
  static int Tracks(CdIo_t* p) {
    const track_t n = cdio_get_num_tracks(p);
    return n == CDIO_INVALID_TRACK ? 0 : n;
  }

  static bool Play(CdIo_t* p, int from, track_t end) {
    const int first = cdio_get_first_track_num(p);
    if (from < first || from >= first + Tracks(p)) return false;
    if (cdio_get_track_format(p, track_t(from)) != TRACK_FORMAT_AUDIO) return false;
    msf_t start_msf;
    msf_t end_msf;
    if (!cdio_get_track_msf(p, track_t(from), &start_msf) || !cdio_get_track_msf(p, end, &end_msf))
      return false;
    return cdio_audio_play_msf(p, &start_msf, &end_msf) == DRIVER_OP_SUCCESS;
  }

  bool open_ = false;
};

}  // namespace

std::unique_ptr<CdAudio> MakeSystemCdAudio() { return std::make_unique<CdioCdAudio>(); }

}  // namespace platform
