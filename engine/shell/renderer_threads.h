#pragma once
// Mesa's software OpenGL renderer (llvmpipe) rasterises with one thread per
// logical CPU and wakes every one of them for each frame it presents; for an
// 800 x 600 2D window most of that is waking and waiting, not drawing. With
// the drawing savings on and LP_NUM_THREADS not set by the user, the display
// is made with kSoftwareRendererThreads. Other OpenGL drivers do not read the
// variable, and the thread count does not change a pixel (the renderer
// divides the window into tiles, each drawn the same by whichever thread).
namespace bv {

constexpr int kSoftwareRendererThreads = 2;

// Sets LP_NUM_THREADS for the display about to be made unless the user set
// it; the destructor takes back what it set, so the user's environment is
// as it was once the renderer has read it (at the display's creation).
class SoftwareRendererThreads {
 public:
  SoftwareRendererThreads();
  ~SoftwareRendererThreads();
  SoftwareRendererThreads(const SoftwareRendererThreads&) = delete;
  SoftwareRendererThreads& operator=(const SoftwareRendererThreads&) = delete;

 private:
  bool m_Set = false;
};

}  // namespace bv
