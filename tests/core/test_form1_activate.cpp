// The main window's activation: menu enabling by the sound, CD and overlay settings.
#include "test_startup_fixture.h"

namespace {

using startup_test::StartupTest;

struct LinkedWavCase {
  short soundMode;
  short cdWithLinkedWavOff, midiWithLinkedWav, mp3WithLinkedWav, soundListWithLinkedWav;
  bool douki, koichi;
};

class LinkedWavMenus : public StartupTest, public ::testing::WithParamInterface<LinkedWavCase> {};

TEST_P(LinkedWavMenus, FollowTheSoundMode) {
  core::Form1& f = Start();
  const LinkedWavCase& c = GetParam();
  core::ShowSettings& s = core::Settings();
  s.SoundMode = c.soundMode;
  s.CdWithLinkedWavOff = c.cdWithLinkedWavOff;
  s.MidiWithLinkedWav = c.midiWithLinkedWav;
  s.Mp3WithLinkedWav = c.mp3WithLinkedWav;
  s.SoundListWithLinkedWav = c.soundListWithLinkedWav;
  f.Form_Activate();
  EXPECT_EQ(f.mnuDOUKI.Enabled(), c.douki);
  EXPECT_EQ(f.mnuKOICHI.Enabled(), c.koichi);
}

INSTANTIATE_TEST_SUITE_P(
    Modes, LinkedWavMenus,
    ::testing::Values(LinkedWavCase{0, 1, 0, 0, 0, true, true},
                      LinkedWavCase{1, 1, 0, 0, 0, true, true},
                      LinkedWavCase{9, 1, 0, 0, 0, true, true},
                      LinkedWavCase{2, 0, 0, 0, 0, true, true},  // CD with linked WAV
                      LinkedWavCase{2, 1, 0, 0, 0, false, false},
                      LinkedWavCase{4, 1, 1, 0, 0, true, true},  // MIDI with linked WAV
                      LinkedWavCase{4, 1, 0, 0, 0, false, false},
                      LinkedWavCase{8, 1, 0, 1, 0, true, true},  // MP3 with linked WAV
                      LinkedWavCase{8, 1, 0, 0, 0, false, false},
                      LinkedWavCase{6, 1, 0, 0, 1, true, true},  // sound list with linked WAV
                      LinkedWavCase{6, 1, 0, 0, 0, false, false},
                      LinkedWavCase{5, 0, 1, 1, 1, false, true},  // linked MIDI: position only
                      LinkedWavCase{3, 0, 1, 1, 1, false, false},
                      LinkedWavCase{7, 0, 1, 1, 1, false, false}));

TEST_F(StartupTest, ActivationEnablesTrackItemsOnlyInTrackOrderAndOverlayColourWithOverlay) {
  core::Form1& f = Start();
  const struct {
    short cdTrackOrder, overlayMode;
    bool trackItems, overlayColour;
  } cases[] = {{0, 0, true, false}, {1, 3, false, true}, {2, 0, false, false}, {0, 4, true, true}};
  for (const auto& c : cases) {
    core::Settings().CdTrackOrder = c.cdTrackOrder;
    core::Settings().OverlayMode = c.overlayMode;
    f.Form_Activate();
    EXPECT_EQ(f.mnuCD.Enabled(), c.trackItems) << c.cdTrackOrder;
    EXPECT_EQ(f.mnuCDRP.Enabled(), c.trackItems) << c.cdTrackOrder;
    EXPECT_EQ(f.mnuKAHAI.Enabled(), c.overlayColour) << c.overlayMode;
  }
}

}  // namespace
