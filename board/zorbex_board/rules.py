"""The game's rules as the board knows them, kept here once: the rest are the simulator's."""
from __future__ import annotations

DIFFICULTIES = {1: "easy", 2: "normal", 3: "hard"}
ENDING_STAGES = range(22, 29)   # the last column of the route map: each is an ending
GIVEN_UP = 0                    # the "ending" of a run given up at a game over
RANKING_SCENE = 4               # the scene a finished run leads to
MAX_RUN_FRAMES = 1_350_000      # the recorder's cap: six hours of play
HASH_INTERVAL = 60              # the recorder writes a state hash after every 60th frame
REPLAY_MAGIC = b"zorbex-replay "
RANKED_OPTIONS = "none"         # a run recorded with any option (assists, practice) is not ranked
PRACTICE_OPTION = "practice"
PRACTICE_MESSAGE = "a practice run is not ranked"
MAX_NAME = 16


def largest_replay_bytes(frames: int = MAX_RUN_FRAMES) -> int:
    """The size of the longest replay the game can write, with its buttons changing every frame."""
    header = 1024                        # magic, seed, difficulty, options, the ten-row table ...
    counts = 3 * len(f"buttons {frames}\n")    # the frames, buttons and hashes lines
    buttons = frames * len("1 7f\n")     # a run of one frame per line is the longest spelling
    hashes = (frames // HASH_INTERVAL + 1) * len(f"{frames} 0123456789abcdef\n")
    return header + counts + buttons + hashes + len("end\n")


MAX_UPLOAD_BYTES = largest_replay_bytes() + 64 * 1024  # and the form around it
