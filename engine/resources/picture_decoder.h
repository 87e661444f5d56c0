#pragma once
// PictureDecoder: PNG files decoded on a worker thread into A8R8G8B8 rows,
// so that a picture wanted now is ready a frame or two later without its
// decoding on the main thread. The main thread reads the file's bytes (the
// pack is not safe to read from two threads), hands them over, and takes
// the decoded pictures back when it is ready to upload them.
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace bv {

struct DecodedPicture {
  // The name the picture was asked for under.
  std::string name;
  bool decoded = false;
  int width = 0;
  int height = 0;
  // A8R8G8B8 texels (B, G, R, A bytes), rows tightly packed, the bottom
  // row first when asked so (as a render target takes them).
  std::vector<uint32_t> texels;
  // Every texel's alpha is 255.
  bool opaque = false;
};

// Decodes a whole PNG file held in memory; false (and no texels) for
// anything else or a damaged file.
bool DecodePng(const std::vector<uint8_t>& file, bool bottomRowFirst, DecodedPicture* picture);

class PictureDecoder {
 public:
  PictureDecoder();
  // Waits for the picture being decoded; the others are dropped.
  ~PictureDecoder();
  PictureDecoder(const PictureDecoder&) = delete;
  PictureDecoder& operator=(const PictureDecoder&) = delete;

  // Queues file (a PNG's bytes) for decoding under name.
  void Decode(const std::string& name, std::vector<uint8_t> file, bool bottomRowFirst);
  // The pictures decoded since the last call, in the order asked for.
  std::vector<DecodedPicture> TakeDecoded();
  // Blocks until every queued picture is decoded.
  void WaitUntilIdle();

 private:
  struct Job {
    std::string name;
    std::vector<uint8_t> file;
    bool bottomRowFirst = false;
  };
  void Work();

  std::mutex m_Mutex;
  std::condition_variable m_Wake;
  std::condition_variable m_Idle;
  std::deque<Job> m_Jobs;
  std::vector<DecodedPicture> m_Done;
  bool m_Working = false;
  bool m_Stopping = false;
  std::thread m_Thread;
};

}  // namespace bv
