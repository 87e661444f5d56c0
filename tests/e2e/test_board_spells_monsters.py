"""Spells and monsters through the real window: the test doorway enters the
board screen of world 1 on its level 0 (the first spell open) with layout 0
(13 backfill cells). The player makes matches that spare the backfill, so
the level lasts, until the probe reports the first spell ready; a click on
its place on the panel casts it and backfill cells turn clear. Meanwhile a
monster comes onto the board; it is clicked until it dies (one that goes
away first, its time run out while clicks missed it, is followed by the
next), and once the game has ended the profile's kill counter in
"savegame.sav" has risen. Every frame advances the game by the same step,
so a busy machine slows the game down with the scenario's clicks."""
import struct
import sys

import board_player
import harness

ARGS = ["-world", "1", "-level", "0", "-layout", "0"]
STORM = 0
BACKFILL, CLEARED = 2, 1
TIME_LIMIT = 240
MAX_HITS = 40
# Every frame advances the game by the same step: a monster's life then
# runs down by the frames the clicks take, not by how fast the machine
# draws them.
FRAME_MS = "13.333"
KILLS_OFFSET = 8  # the monsters-killed counter within a profile


def kills_in_save(game, slot):
    try:
        save = game.read_save()
    except OSError:
        return 0
    at = harness.PROFILE_OFFSET + slot * harness.PROFILE_SIZE + KILLS_OFFSET
    return struct.unpack_from("<i", save, at)[0]


def board_of(shot):
    return shot.get("board") if shot and shot["scene"]["number"] == 4 else None


def snapshot(game, what, condition, limit):
    def check():
        if not game.running():
            raise harness.Failure("the game ended while waiting for " + what)
        shot = game.probe()
        return shot if board_of(shot) and condition(shot) else None
    return harness.wait_for(what, check, limit, step=0.05)


def backs(board):
    return {(c["col"], c["row"]): c["back"] for c in board["cells"]}


def cast_storm(game, shot):
    """Clicks the ready spell's place; Failure unless it runs and clears
    backfill cells."""
    board = shot["board"]
    spell = board["spells"][STORM]
    before = backs(board)
    # The panel takes a click only on a settled board: a click that met a
    # board set moving between the snapshot and the press (a monster's
    # arrival, the idle wave) is given again, as a player would.
    started = lambda s: s["board"]["spellRunning"] or s["profile"]["spellsCast"] > shot["profile"]["spellsCast"]
    for attempt in range(3):
        snapshot(game, "a settled board to cast on", lambda s: started(s)
                 or board_player.is_ready(s["board"]), 30)
        game.press(spell["x"], spell["y"])
        try:
            running = snapshot(game, "the spell to start", started, 5 if attempt == 2 else 2)
            break
        except harness.Failure:
            if attempt == 2:
                raise
            print("the click on the spell was not taken; clicking again")
    if running["profile"]["spellsCast"] != shot["profile"]["spellsCast"] + 1:
        raise harness.Failure("the cast was not counted: %r" % running["profile"])

    def cleared(s):
        after = backs(s["board"])
        return [p for p, back in before.items() if back == BACKFILL and after[p] == CLEARED]
    done = snapshot(game, "backfill cleared by the spell", cleared, 5)
    print("the spell cleared", cleared(done))


def kill_monster(game, monster, kills_before):
    """Clicks the monster until the kill is counted; returns the hits made,
    or None when it went away first (its time ran out while clicks missed
    it as it moved): the next monster is tried then, as a player would."""
    slot = monster["slot"]
    for hit in range(MAX_HITS):
        shot = game.probe()
        if shot and shot["profile"]["monstersKilled"] > kills_before:
            return hit
        board = board_of(shot)
        current = [m for m in board["monsters"] if m["slot"] == slot] if board else []
        if not current:
            try:
                snapshot(game, "the kill counted",
                         lambda s: s["profile"]["monstersKilled"] > kills_before, 1)
                return hit
            except harness.Failure:
                return None
        m = current[0]
        game.press(m["x"] + m["w"] // 2, m["y"] + m["h"] // 2)
        game.pass_time(0.05)
    raise harness.Failure("the monster still lives after %d clicks" % MAX_HITS)


def scenario(game):
    game.wait_window()
    first = snapshot(game, "the board set up", lambda s: any(
        c["present"] for c in s["board"]["cells"]) and board_player.is_ready(s["board"]), 30)
    if first["board"]["spells"][STORM]["locked"]:
        raise harness.Failure("the first spell is locked in world 1: %r" % first["board"]["spells"])
    store_slot = 0
    kills_before = kills_in_save(game, store_slot)
    spell_cast = False
    monster_killed = False
    deadline = harness.Deadline(TIME_LIMIT, game)
    while not (spell_cast and monster_killed):
        if deadline.expired():
            raise harness.Failure("spell cast %s, monster killed %s after %d s"
                                  % (spell_cast, monster_killed, TIME_LIMIT))
        shot = snapshot(game, "a settled board", lambda s: s["board"]["won"]
                        or board_player.is_ready(s["board"]), 30)
        board = shot["board"]
        if board["won"]:
            raise harness.Failure("the level was won before the spell and the monster")
        if board["monsters"] and not monster_killed:
            monster = board["monsters"][0]
            print("monster of kind %d with %d ms to live" % (monster["kind"], monster["life"]))
            hits = kill_monster(game, monster, shot["profile"]["monstersKilled"])
            if hits is None:
                print("the monster went away before it was killed")
                continue
            print("killed with %d clicks" % hits)
            monster_killed = True
            continue
        if board["spells"][STORM]["ready"] and not spell_cast:
            cast_storm(game, shot)
            spell_cast = True
            continue
        if board["selected"] != [-1, -1]:
            game.right_click(400, 300)
        swap = board_player.best_swap(board, spare_backfill=True)
        if swap is None:
            game.pass_time(0.5)
            continue
        cells = board_player.cells_by_place(board)
        a, b = cells[swap[0]], cells[swap[1]]
        before = [c["colour"] for c in board["cells"]]
        game.drag(a["x"], a["y"], b["x"], b["y"])
        try:
            snapshot(game, "the swap", lambda s: not board_player.is_ready(s["board"])
                     or [c["colour"] for c in s["board"]["cells"]] != before, 3)
        except harness.Failure:
            pass  # the press was not taken: the next round tries again
    # The save file is written as the game ends.
    game.proc.terminate()
    game.wait_exit(15)
    kills_after = kills_in_save(game, store_slot)
    if kills_after <= kills_before:
        raise harness.Failure("savegame.sav counts %d kills, %d before" % (kills_after, kills_before))
    print("kills in the save: %d -> %d" % (kills_before, kills_after))


def main(build_dir):
    game = harness.Game(build_dir, args=ARGS, seed=515,
                        env={"QUORVEL_START_SCENE": "4", "QUORVEL_FRAME_MS": FRAME_MS}, probe=True,
                        save=harness.make_save(show_hints=0))
    return harness.run_scenario(game, "board spells and monsters", scenario)


if __name__ == "__main__":
    sys.exit(main(sys.argv[1] if len(sys.argv) > 1 else "build"))
