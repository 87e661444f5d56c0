"""A "config.dat" must never lock the player out: a damaged driver type (77)
and a software renderer (1) both start the game to its splash, and the
"config.dat" written at the end is 24 bytes and starts the game again."""
import struct
import sys

import harness

CONFIG_SIZE = 24
DEFAULT_CONFIG = bytes([1, 0, 4, 0, 1, 1, 0, 0, 100, 0, 0, 0, 100, 0, 0, 0,
                        0, 0, 1, 0, 2, 0, 0, 0])


def config_with(full_screen, driver):
    data = bytearray(DEFAULT_CONFIG)
    data[0] = full_screen
    struct.pack_into("<h", data, 2, driver)
    return bytes(data)


def run_to_splash(build_dir, config, label):
    """Starts the game with the given "config.dat", waits for its window and
    a white splash frame, ends it in order; returns the "config.dat" it
    wrote."""
    game = harness.Game(build_dir, config=config)
    ok = False
    try:
        game.wait_window()
        harness.wait_for(label + ": the white splash screen",
                         lambda: harness.colour_share(
                             game.capture(label), lambda r, g, b: min(r, g, b) > 240) > 0.5,
                         15, step=0.3)
        game.proc.terminate()
        game.wait_exit(10)
        if "Error" in game.messages():
            raise harness.Failure(label + ": an error box:\n" + game.messages())
        with open(game.data_path("config.dat"), "rb") as f:
            written = f.read()
        if len(written) != CONFIG_SIZE:
            raise harness.Failure("%s: config.dat is %d bytes" % (label, len(written)))
        ok = True
        return written
    except harness.Failure:
        print("game output:\n" + game.messages())
        print("kept:", game.user_dir)
        raise
    finally:
        game.close(keep=not ok)


def main(build_dir):
    try:
        for driver in (77, 1):
            label = "driver%d" % driver
            written = run_to_splash(build_dir, config_with(0, driver), label)
            driver_written = struct.unpack_from("<h", written, 2)[0]
            if not 1 <= driver_written <= 5:
                raise harness.Failure("%s: stored driver type %d" % (label, driver_written))
            if driver == 1 and driver_written != 1:
                raise harness.Failure("driver1: a working software renderer was replaced "
                                      "by %d" % driver_written)
            # What was written starts the game too, and is kept.
            again = run_to_splash(build_dir, written, label + "-again")
            if again[:4] != written[:4]:
                raise harness.Failure("%s: the second start stored %r after %r" % (
                    label, again[:4], written[:4]))
        print("config recovery scenario passed")
        return 0
    except harness.Failure as failure:
        print("FAILED:", failure)
        return 1


if __name__ == "__main__":
    sys.exit(main(sys.argv[1] if len(sys.argv) > 1 else "build"))
