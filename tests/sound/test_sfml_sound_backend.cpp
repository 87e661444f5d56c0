// The real backend, run in a child process of this test program: OpenAL Soft
// reads its driver settings once per process, so each run gets a fresh one.
// With the "wave" driver the mix is written to a file, which is checked
// after the child (and so the device) has closed.
#include "engine/sound/sfml_sound_backend.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>
#include <vector>

#include "engine/sound/sound_manager.h"
#include "support/child_process.h"

namespace fs = std::filesystem;

namespace {

constexpr char kChildModeVar[] = "QV_SOUND_SMOKE_MODE";
constexpr char kChildDirVar[] = "QV_SOUND_SMOKE_DIR";
// Longest a child run may take (milliseconds); a run takes about two seconds.
constexpr int kChildTimeoutMs = 30000;

void PutLe(std::ofstream& out, uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out.put(static_cast<char>((value >> (8 * i)) & 0xFF));
}

// A mono 16-bit PCM WAV of a 440 Hz tone.
void WriteToneWav(const fs::path& path, float seconds) {
  const uint32_t rate = 22050;
  const uint32_t samples = static_cast<uint32_t>(rate * seconds);
  std::ofstream out(path, std::ios::binary);
  out.write("RIFF", 4);
  PutLe(out, 36 + samples * 2, 4);
  out.write("WAVEfmt ", 8);
  PutLe(out, 16, 4);
  PutLe(out, 1, 2);  // PCM
  PutLe(out, 1, 2);  // mono
  PutLe(out, rate, 4);
  PutLe(out, rate * 2, 4);
  PutLe(out, 2, 2);
  PutLe(out, 16, 2);
  out.write("data", 4);
  PutLe(out, samples * 2, 4);
  for (uint32_t i = 0; i < samples; ++i) {
    const double value = std::sin(2.0 * M_PI * 440.0 * i / rate) * 12000.0;
    PutLe(out, static_cast<uint32_t>(static_cast<int16_t>(value)) & 0xFFFF, 2);
  }
}

// Bytes of the "data" chunk of a WAV file (empty when there is none).
std::vector<char> WavData(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  size_t pos = 12;
  while (pos + 8 <= bytes.size()) {
    const std::string id(bytes.begin() + pos, bytes.begin() + pos + 4);
    uint32_t size = 0;
    for (int i = 0; i < 4; ++i) size |= static_cast<uint32_t>(static_cast<uint8_t>(bytes[pos + 4 + i])) << (8 * i);
    if (id == "data") {
      const size_t end = std::min(bytes.size(), pos + 8 + static_cast<size_t>(size));
      return std::vector<char>(bytes.begin() + pos + 8, bytes.begin() + end);
    }
    pos += 8 + size + (size & 1);
  }
  return {};
}

std::string ReadAll(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

struct ChildResult {
  int exitCode = -1;
  std::string stderrText;
};

// Runs this program's SfmlSoundChild test in a child with the given
// environment additions; stderr goes to a file in dir.
ChildResult RunChild(const fs::path& dir, const std::string& mode,
                     const std::vector<std::pair<std::string, std::string>>& env) {
  const fs::path errPath = dir / "stderr.txt";
  const fs::path outPath = dir / "stdout.txt";
  pid_t pid = fork();
  if (pid == 0) {
    setenv(kChildModeVar, mode.c_str(), 1);
    setenv(kChildDirVar, dir.c_str(), 1);
    for (const auto& [name, value] : env) setenv(name.c_str(), value.c_str(), 1);
    if (chdir(dir.c_str()) != 0) _exit(89);
    if (!freopen(errPath.c_str(), "w", stderr) || !freopen(outPath.c_str(), "w", stdout)) _exit(90);
    char filter[] = "--gtest_filter=SfmlSoundChild.*";
    char* argv[] = {const_cast<char*>("quorvel_tests"), filter, nullptr};
    execv("/proc/self/exe", argv);
    _exit(91);
  }
  ChildResult result;
  // A child that hangs in the audio device is killed and fails the test.
  result.exitCode = bv::test::WaitForExit(pid, kChildTimeoutMs);
  result.stderrText = ReadAll(errPath);
  if (result.exitCode != 0) result.stderrText += ReadAll(outPath);
  return result;
}

class SfmlSoundBackendTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/qv_sound_XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    dir = pattern;
    fs::create_directories(dir / "data" / "sounds");
    WriteToneWav(dir / "data" / "sounds" / "tone.wav", 0.4f);
    std::ofstream(dir / "data" / "sounds" / "junk.ogg") << "not a sound file at all";
  }
  void TearDown() override {
    std::error_code ignored;
    fs::remove_all(dir, ignored);
  }
  fs::path dir;
};

TEST_F(SfmlSoundBackendTest, WaveDriverCapturesTheMix) {
  const fs::path wave = dir / "mix.wav";
  const fs::path conf = dir / "alsoft.conf";
  std::ofstream(conf) << "[general]\ndrivers=wave\n[wave]\nfile=" << wave.string() << "\n";
  ChildResult child = RunChild(dir, "play", {{"ALSOFT_DRIVERS", "wave"}, {"ALSOFT_CONF", conf.string()}});
  ASSERT_EQ(child.exitCode, 0) << child.stderrText;
  EXPECT_EQ(child.stderrText.find("OpenAL call failed"), std::string::npos) << child.stderrText;
  std::vector<char> data = WavData(wave);
  ASSERT_FALSE(data.empty()) << "no mix written";
  size_t nonZero = 0;
  for (char byte : data) nonZero += byte != 0;
  EXPECT_GT(nonZero, data.size() / 10) << "the mix is silent";
}

TEST_F(SfmlSoundBackendTest, NoDeviceStaysSilentAndQuiet) {
  const fs::path conf = dir / "alsoft.conf";
  std::ofstream(conf) << "[general]\ndrivers=nodriver\n";
  ChildResult child =
      RunChild(dir, "nodevice", {{"ALSOFT_DRIVERS", "nodriver"}, {"ALSOFT_CONF", conf.string()}});
  ASSERT_EQ(child.exitCode, 0) << child.stderrText;
  EXPECT_EQ(child.stderrText, "");
}

// The children's side: skipped unless started by the tests above.
TEST(SfmlSoundChild, Body) {
  const char* mode = std::getenv(kChildModeVar);
  const char* dir = std::getenv(kChildDirVar);
  if (mode == nullptr || dir == nullptr) GTEST_SKIP() << "runs as a child of SfmlSoundBackendTest";
  ASSERT_EQ(chdir(dir), 0);
  const std::string which = mode;
  {
    BvSoundManager manager;
    manager.LoadSound("data/sounds/tone.wav", "music", kSoundKindStream, 1);
    manager.LoadSound("data/sounds/tone.wav", "pool", kSoundKindPool, 2);
    manager.LoadSound("data/sounds/tone.wav", "effect", kSoundKindEffect, 3);
    manager.LoadSound("data/sounds/absent.wav", "absent", kSoundKindEffect, 1);
    // Samples are decoded at the first play, but a file that is no sound
    // still fails at registration.
    manager.LoadSound("data/sounds/junk.ogg", "junk", kSoundKindPool, 2);
    manager.LoadSound("data/sounds/junk.ogg", "junkeffect", kSoundKindEffect, 1);
    if (which == "play") {
      ASSERT_TRUE(manager.IsDeviceOpen());
      EXPECT_TRUE(manager.HasSound("music"));
      EXPECT_TRUE(manager.HasSound("pool"));
      EXPECT_TRUE(manager.HasSound("effect"));
      EXPECT_FALSE(manager.HasSound("absent"));
      EXPECT_FALSE(manager.HasSound("junk"));
      EXPECT_FALSE(manager.HasSound("junkeffect"));
    } else {
      ASSERT_FALSE(manager.IsDeviceOpen());
      EXPECT_FALSE(manager.HasSound("music"));
    }
    manager.PlaySound("music", false, 1.0f);
    manager.PlaySound("pool", false, 0.5f);
    manager.PlaySound("effect", false, 0.5f);
    manager.PlaySound("effect", false, 0.5f);
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
    manager.StopSound("music");
  }
  if (which == "play") {
    // The stream rules, on a 0.4 s tone: Stop pauses, Play resumes, and a
    // stream that played to its end starts again.
    std::unique_ptr<bv::SoundBackend> backend = bv::CreateDefaultSoundBackend();
    ASSERT_NE(backend, nullptr);
    // (Made first: it keeps the device, and so the captured mix, open
    // through the stream checks below.)
    std::unique_ptr<bv::SoundEffect> effect = backend->OpenEffect("data/sounds/tone.wav", true);
    ASSERT_NE(effect, nullptr);
    effect->SetVolume(std::nanf(""));
    effect->Play();
    effect->Stop();
    for (bool streamed : {true, false}) {
      std::unique_ptr<bv::SoundStream> stream = backend->OpenStream("data/sounds/tone.wav", streamed);
      ASSERT_NE(stream, nullptr);
      EXPECT_EQ(backend->OpenStream("data/sounds/absent.wav", streamed), nullptr);
      stream->Play();
      EXPECT_TRUE(stream->IsPlaying());
      stream->Play();  // already playing: goes on
      EXPECT_TRUE(stream->IsPlaying());
      stream->Stop();
      EXPECT_FALSE(stream->IsPlaying());
      stream->Play();
      EXPECT_TRUE(stream->IsPlaying());
      std::this_thread::sleep_for(std::chrono::milliseconds(800));
      EXPECT_FALSE(stream->IsPlaying()) << "ended by itself";
      stream->Play();
      EXPECT_TRUE(stream->IsPlaying());
      // Volumes outside 0..1, and not a number, reach the library as a
      // valid gain (the parent checks that no error line was printed).
      for (float volume : {std::nanf(""), -0.5f, 7.0f}) stream->SetVolume(volume);
      stream->Stop();
    }
  }
}

}  // namespace
