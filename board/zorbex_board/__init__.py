"""zorbex-board: a score board that ranks only what the game's own simulator reproduces."""
