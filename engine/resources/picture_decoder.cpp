#include "engine/resources/picture_decoder.h"

#include <png.h>

#include <cstring>
#include <utility>

namespace bv {

bool DecodePng(const std::vector<uint8_t>& file, bool bottomRowFirst, DecodedPicture* picture) {
  picture->decoded = false;
  picture->texels.clear();
  png_image image;
  std::memset(&image, 0, sizeof image);
  image.version = PNG_IMAGE_VERSION;
  if (file.empty() || !png_image_begin_read_from_memory(&image, file.data(), file.size()))
    return false;
  // Blue, green, red, alpha in memory: Irrlicht's A8R8G8B8 on this machine.
  image.format = PNG_FORMAT_BGRA;
  if (image.width == 0 || image.height == 0) {
    png_image_free(&image);
    return false;
  }
  std::vector<uint32_t> texels(size_t(image.width) * image.height);
  // In components (bytes here), not texels.
  const png_int_32 stride = png_int_32(PNG_IMAGE_ROW_STRIDE(image));
  // A negative stride writes the rows from the bottom of the buffer up.
  if (!png_image_finish_read(&image, nullptr, texels.data(), bottomRowFirst ? -stride : stride,
                             nullptr)) {
    png_image_free(&image);
    return false;
  }
  bool opaque = true;
  for (uint32_t texel : texels) {
    if ((texel >> 24) != 0xFF) {
      opaque = false;
      break;
    }
  }
  picture->width = int(image.width);
  picture->height = int(image.height);
  picture->texels = std::move(texels);
  picture->opaque = opaque;
  picture->decoded = true;
  return true;
}

PictureDecoder::PictureDecoder() : m_Thread([this] { Work(); }) {}

PictureDecoder::~PictureDecoder() {
  {
    std::lock_guard<std::mutex> lock(m_Mutex);
    m_Stopping = true;
    m_Jobs.clear();
  }
  m_Wake.notify_all();
  m_Thread.join();
}

void PictureDecoder::Decode(const std::string& name, std::vector<uint8_t> file,
                            bool bottomRowFirst) {
  {
    std::lock_guard<std::mutex> lock(m_Mutex);
    m_Jobs.push_back(Job{name, std::move(file), bottomRowFirst});
  }
  m_Wake.notify_one();
}

std::vector<DecodedPicture> PictureDecoder::TakeDecoded() {
  std::lock_guard<std::mutex> lock(m_Mutex);
  return std::exchange(m_Done, {});
}

void PictureDecoder::WaitUntilIdle() {
  std::unique_lock<std::mutex> lock(m_Mutex);
  m_Idle.wait(lock, [this] { return m_Jobs.empty() && !m_Working; });
}

void PictureDecoder::Work() {
  std::unique_lock<std::mutex> lock(m_Mutex);
  for (;;) {
    m_Wake.wait(lock, [this] { return m_Stopping || !m_Jobs.empty(); });
    if (m_Stopping) return;
    Job job = std::move(m_Jobs.front());
    m_Jobs.pop_front();
    m_Working = true;
    lock.unlock();
    DecodedPicture picture;
    picture.name = job.name;
    DecodePng(job.file, job.bottomRowFirst, &picture);
    lock.lock();
    m_Done.push_back(std::move(picture));
    m_Working = false;
    if (m_Jobs.empty()) m_Idle.notify_all();
  }
}

}  // namespace bv
