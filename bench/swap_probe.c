// Preloaded into the game by bench/game_bench.py (LD_PRELOAD): counts the
// frames the program presents and notes when the first one was presented,
// without changing the program. The figures go to a small shared file named
// by QV_SWAP_RECORD, which the benchmark reads while the game runs:
//   int64 first presentation (CLOCK_MONOTONIC, nanoseconds; 0 until then)
//   int64 frames presented
#define _GNU_SOURCE
#include <GL/glx.h>
#include <dlfcn.h>
#include <fcntl.h>
#include <stdint.h>
#include <stdlib.h>
#include <sys/mman.h>
#include <time.h>
#include <unistd.h>

typedef void (*SwapFunction)(Display*, GLXDrawable);

struct SwapRecord {
  volatile int64_t firstPresentedNs;
  volatile int64_t presented;
};

static struct SwapRecord* g_record;
static SwapFunction g_realSwap;

static int64_t MonotonicNs(void) {
  struct timespec ts;
  clock_gettime(CLOCK_MONOTONIC, &ts);
  return (int64_t)ts.tv_sec * 1000000000 + ts.tv_nsec;
}

__attribute__((constructor)) static void OpenRecord(void) {
  const char* path = getenv("QV_SWAP_RECORD");
  if (path == NULL) return;
  int fd = open(path, O_RDWR);
  if (fd < 0) return;
  void* mapped = mmap(NULL, sizeof(struct SwapRecord), PROT_READ | PROT_WRITE, MAP_SHARED, fd, 0);
  close(fd);
  if (mapped != MAP_FAILED) g_record = (struct SwapRecord*)mapped;
}

void glXSwapBuffers(Display* display, GLXDrawable drawable) {
  if (g_realSwap == NULL) g_realSwap = (SwapFunction)dlsym(RTLD_NEXT, "glXSwapBuffers");
  if (g_realSwap != NULL) g_realSwap(display, drawable);
  if (g_record == NULL) return;
  // The frame is on the window once the swap has returned.
  if (g_record->firstPresentedNs == 0) g_record->firstPresentedNs = MonotonicNs();
  g_record->presented += 1;
}
