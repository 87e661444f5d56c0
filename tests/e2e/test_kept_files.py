"""Odd files in the user folder never stop the game and nothing in them is
lost: named pipes where "savegame.sav" and "config.dat" should be are moved
aside and the game starts fresh; a save of 844 bytes of 0xFF (names that are
no text) is kept as "savegame.sav.bad" while the game and its probe play on.
Each case is told in an "Alert"."""
import os
import stat
import sys
import tempfile

import harness

SAVE_SIZE = 844
CONFIG_SIZE = 24


def alerts(game):
    return [line for line in game.messages().splitlines() if line.startswith("[Alert]")]


def play_and_end(game, label):
    """Waits for the first snapshot of a scene, plays on a moment, ends the
    game in order."""
    game.wait_probe(label + ": a scene", lambda shot: shot["scene"]["number"] > 0, 20)
    game.pass_time(1.0)
    if not game.running():
        raise harness.Failure(label + ": the game ended by itself")
    game.proc.terminate()
    game.wait_exit(10)


def check_pipes(build_dir):
    user_dir = tempfile.mkdtemp(prefix="quorvel_e2e_")
    folder = os.path.join(user_dir, "brasvolt", "quorvel")
    os.makedirs(folder)
    for name in ("savegame.sav", "config.dat"):
        os.mkfifo(os.path.join(folder, name))
    game = harness.Game(build_dir, probe=True, user_dir=user_dir)
    ok = False
    try:
        play_and_end(game, "pipes")
        for name, size in (("savegame.sav", SAVE_SIZE), ("config.dat", CONFIG_SIZE)):
            kept = os.lstat(game.data_path(name + ".bad"))
            if not stat.S_ISFIFO(kept.st_mode):
                raise harness.Failure("pipes: %s.bad is not the pipe moved aside" % name)
            written = os.path.getsize(game.data_path(name))
            if written != size:
                raise harness.Failure("pipes: %s is %d bytes" % (name, written))
            if not [a for a in alerts(game) if name + ".bad" in a and "not a regular file" in a]:
                raise harness.Failure("pipes: no alert about %s" % name)
        ok = True
    except harness.Failure:
        print("game output:\n" + game.messages())
        raise
    finally:
        game.close(keep=not ok)


def check_bytes_that_are_no_text(build_dir):
    save = b"\xff" * SAVE_SIZE
    game = harness.Game(build_dir, probe=True, save=save)
    ok = False
    try:
        play_and_end(game, "0xFF")
        with open(game.data_path("savegame.sav.bad"), "rb") as f:
            if f.read() != save:
                raise harness.Failure("0xFF: savegame.sav.bad is not the save as it was")
        if len(game.read_save()) != SAVE_SIZE:
            raise harness.Failure("0xFF: the save written is not 844 bytes")
        told = [a for a in alerts(game) if "savegame.sav.bad" in a]
        if len(told) != 1:
            raise harness.Failure("0xFF: told %d times where the copy is" % len(told))
        ok = True
    except harness.Failure:
        print("game output:\n" + game.messages())
        raise
    finally:
        game.close(keep=not ok)


def main(build_dir):
    try:
        check_pipes(build_dir)
        check_bytes_that_are_no_text(build_dir)
        print("kept files scenario passed")
        return 0
    except harness.Failure as failure:
        print("FAILED:", failure)
        return 1


if __name__ == "__main__":
    sys.exit(main(sys.argv[1] if len(sys.argv) > 1 else "build"))
