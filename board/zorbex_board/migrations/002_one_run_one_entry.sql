-- One run, one entry: runs are known by what the simulator played (run_keys), players by
-- their name's key (case, width, look-alike letters folded); limits count an address's key
-- (an IPv6 /64), and the waiting runs are taken in turn by address.
ALTER TABLE runs ADD COLUMN name_key TEXT;
ALTER TABLE runs ADD COLUMN address_key TEXT;
ALTER TABLE runs ADD COLUMN turn BIGINT NOT NULL DEFAULT 1;
ALTER TABLE runs ADD COLUMN submitted_ms BIGINT;

CREATE TABLE run_keys (
    run_key TEXT PRIMARY KEY,
    run_id BIGINT NOT NULL REFERENCES runs (id)
);

DROP INDEX runs_by_status;
CREATE INDEX runs_in_turn ON runs (status, turn, id);
DROP INDEX runs_by_address;
CREATE INDEX runs_by_address ON runs (address_key, status);

-- the table's order in one number, best first: the score, then the earlier run
DROP TABLE board_entries;
CREATE TABLE board_entries (
    difficulty INTEGER NOT NULL,
    ending INTEGER NOT NULL,
    continued INTEGER NOT NULL,
    name_key TEXT NOT NULL,
    run_id BIGINT NOT NULL REFERENCES runs (id),
    score BIGINT NOT NULL,
    place BIGINT NOT NULL,
    PRIMARY KEY (difficulty, ending, continued, name_key)
);
CREATE INDEX board_order ON board_entries (difficulty, ending, continued, place DESC, run_id, score);
