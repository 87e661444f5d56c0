"""An Xvfb server of its own for one run of the game (the end-to-end
scenarios and bench/game_bench.py use it)."""
import os
import subprocess


class VirtualDisplay:
    """An Xvfb server on a display number it picks itself."""

    # Autorepeat starts this late (ms): a test may hold a key until a slow
    # game has drawn frames with it, and must not get a repeated key.
    AUTOREPEAT_DELAY_MS = 60000

    def __init__(self, size="1024x768x24"):
        read_fd, write_fd = os.pipe()
        self.proc = subprocess.Popen(
            ["Xvfb", "-displayfd", str(write_fd), "-screen", "0", size, "-nolisten", "tcp",
             "-noreset", "-ardelay", str(self.AUTOREPEAT_DELAY_MS)],
            pass_fds=(write_fd,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.close(write_fd)
        with os.fdopen(read_fd) as pipe:
            number = pipe.readline().strip()
        if not number:
            self.proc.kill()
            raise RuntimeError("Xvfb did not start")
        self.display = ":" + number

    def close(self):
        self.proc.terminate()
        try:
            self.proc.wait(5)
        except subprocess.TimeoutExpired:
            self.proc.kill()
