-- Runs as players uploaded them, and what the game's simulator made of them.
-- {id} and {bytes} are the database's own spelling of an identity key and of raw bytes.
CREATE TABLE runs (
    id {id},
    replay_sha256 TEXT NOT NULL UNIQUE,
    name TEXT NOT NULL,
    address TEXT NOT NULL,
    submitted_at TEXT NOT NULL,
    status TEXT NOT NULL,
    claimed_by TEXT,
    lease_until BIGINT,
    claims INTEGER NOT NULL DEFAULT 0,
    reason TEXT,
    verified_at TEXT,
    score BIGINT,
    difficulty INTEGER,
    ending INTEGER,
    route TEXT,
    continues INTEGER,
    frames BIGINT,
    deaths INTEGER,
    bombs INTEGER,
    stages TEXT,
    summary TEXT
);

-- The files themselves, apart: the tables never read past them.
CREATE TABLE replays (
    run_id BIGINT PRIMARY KEY REFERENCES runs (id),
    replay {bytes} NOT NULL
);

CREATE INDEX runs_by_status ON runs (status, id);

CREATE INDEX runs_by_address ON runs (address, status);

-- Each player's best run on each table: the board is read from here alone.
CREATE TABLE board_entries (
    difficulty INTEGER NOT NULL,
    ending INTEGER NOT NULL,
    continued INTEGER NOT NULL,
    name TEXT NOT NULL,
    run_id BIGINT NOT NULL REFERENCES runs (id),
    score BIGINT NOT NULL,
    PRIMARY KEY (difficulty, ending, continued, name)
);

CREATE INDEX board_order ON board_entries (difficulty, ending, continued, score DESC, run_id);
